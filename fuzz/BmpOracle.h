// One hostile input through LoadBmp, checked against a decoder of our own that
// works on the bytes in memory: what it must accept, and the picture it must give.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes the bytes to a scratch file, loads it over a picture already held and
// aborts with a reason when LoadBmp disagrees with the reference. True when it loaded.
bool CheckLoadBmp(const uint8_t* data, size_t size);
