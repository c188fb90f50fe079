// What the shell asks of the operating system, behind one neutral header: the
// frame clock's counter, files opened only when they are files, and where the
// running program and its data live. One
// source file per system implements it; CMake picks the one that is built.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A monotonic 64-bit counter and its fixed frequency in ticks per second:
// steady_clock on Linux, QueryPerformanceCounter and QueryPerformanceFrequency on Windows.
int64_t PerformanceCounter();
int64_t PerformanceFrequency();

// fopen(fileName, "rb") for a regular file only, without waiting at a FIFO or a
// device; null for anything else, with the reason in *why.
std::FILE* OpenRegularFile(const char* fileName, std::string* why);

// Keeps SIGTERM, SIGINT and SIGHUP off the calling helper thread, so that they reach
// the main thread, whose sleep they end and whose handler tidies up (Windows: nothing).
void LeaveEndSignalsToMainThread();

// The directory of the running executable, or "" when it cannot be told.
std::string ExecutableDir();
// Where an installation put the program's data: the data directory of the
// configured prefix on Linux, the folder the installer recorded on Windows ("" if none).
std::string InstalledDataDir();
