// The application's keyboard, special-key and mouse callbacks.
#pragma once

void KeyHandler(unsigned char key, int x, int y);
void SpecialKeyHandler(int key, int x, int y);
void MouseHandler(int button, int state, int x, int y);
