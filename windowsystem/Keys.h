// The codes input arrives with, whatever the window system: GLUT's numbers,
// which the key handlers were written against. Other seams translate to them.
#pragma once

// Special keys, for the special-key handler.
constexpr int kKeyF1 = 1;  // F1..F12 are 1..12
constexpr int kKeyF12 = 12;
constexpr int kKeyLeft = 100;
constexpr int kKeyUp = 101;
constexpr int kKeyRight = 102;
constexpr int kKeyDown = 103;
constexpr int kKeyPageUp = 104;
constexpr int kKeyPageDown = 105;
constexpr int kKeyHome = 106;
constexpr int kKeyEnd = 107;
constexpr int kKeyInsert = 108;

// Mouse buttons and their states, for the mouse handler.
constexpr int kLeftButton = 0;
constexpr int kMiddleButton = 1;
constexpr int kRightButton = 2;
constexpr int kButtonDown = 0;
constexpr int kButtonUp = 1;
