// What start-up made, given back by the front end that ends the program while
// its window still stands, and the one reset of every process-wide value. (The
// death by a signal that Unix asks of a program it ends: platform/Signals.h.)
#pragma once

// Gives back what the painter made at start-up (GL's textures). Safe twice.
void TearDown();

// Every process-wide value back to its value at launch, the clock on the
// platform's counter again and no painter in use; what a painter holds is TearDown's.
void ResetProcessState();
