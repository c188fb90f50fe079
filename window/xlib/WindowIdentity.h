// What a dock or task bar matches a window by: its class and its icons.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <span>
#include <vector>

// A PNG file's bytes, compiled in.
struct EmbeddedPng {
  const unsigned char* data;
  size_t size;
};

// wendrix's icons, made at build time from the PNG files the renderer draws
// (cmake/EmbedPngs.cmake); defined in the wendrix executable only.
std::span<const EmbeddedPng> WendrixIcons();

// _NET_WM_ICON's layout: per icon its width, its height, then one 0xAARRGGBB
// pixel a cardinal, top row first. Files that do not decode are left out.
std::vector<unsigned long> IconCardinals(std::span<const EmbeddedPng> icons);

// WM_CLASS ("wendrix", "Wendrix") and, when there are any, the icons.
void SetWindowIdentity(Display* display, Window window, std::span<const EmbeddedPng> icons);
