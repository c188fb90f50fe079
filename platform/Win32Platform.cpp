// The platform on Windows: the performance counter, GetModuleFileName and the
// install folder that the installer records in the registry.
#include <windows.h>

#include "platform/Platform.h"

int64_t PerformanceCounter() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

int64_t PerformanceFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

std::string ExecutableDir() {
  // The manifest makes the process's code page UTF-8, so the A functions and
  // fopen agree on every name.
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return "";
  const std::string exe(path, length);
  const size_t slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? "" : exe.substr(0, slash);
}

std::string InstalledDataDir() {
  char folder[MAX_PATH * 4];
  DWORD size = sizeof folder;
  // packaging/windows/wendrix.nsi writes it; the screen saver, in the system
  // folder, finds the atlas through it.
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Wendrix", "InstallDir", RRF_RT_REG_SZ, nullptr,
                   folder, &size) != ERROR_SUCCESS) {
    return "";
  }
  return folder;
}
