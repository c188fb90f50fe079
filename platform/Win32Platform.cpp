// The platform on Windows: the performance counter, CreateFile and its file
// type, GetModuleFileName and the install folder that the installer records in
// the registry.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "cmdline/Arguments.h"
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

std::FILE* OpenRegularFile(const char* fileName, std::string* why) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(fileName);
    // A folder opens only with backup semantics, so it lands here.
    Fail(why, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                  ? "it is a directory"
              : error == ERROR_ACCESS_DENIED ? std::strerror(EACCES)
                                             : std::strerror(ENOENT));
    return nullptr;
  }
  // CON, NUL, COM1 and pipes open like files; only a file on a disk is read.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    Fail(why, "it is a device, not a file");
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  std::FILE* stream = fd >= 0 ? _fdopen(fd, "rb") : nullptr;
  if (stream == nullptr) {
    Fail(why, std::strerror(errno));
    if (fd >= 0) {
      _close(fd);
    } else {
      CloseHandle(file);
    }
  }
  return stream;
}

// Windows ends its programs without Unix's signals.
void LeaveEndSignalsToMainThread() {}

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
