// The decision is made when the file is opened, so that a film streamed for
// minutes and a PNG frame written at once follow the same rules; a signal's
// handler can remove the file aside, named before it is made.
#include "image/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cmdline/Arguments.h"

namespace {
char asidePath[PATH_MAX];
volatile std::sig_atomic_t asideNamed = 0;

std::string Folder(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A sticky folder (/tmp) lets only the owners of a file or of the folder rename over it.
bool StickyHoldsAnothers(const std::string& folder, const struct stat& file) {
  struct stat info {};
  const uid_t me = geteuid();
  return stat(folder.c_str(), &info) == 0 && (info.st_mode & S_ISVTX) != 0 && file.st_uid != me &&
         info.st_uid != me && me != 0;
}
}  // namespace

OutputFile::~OutputFile() {
  if (fd_ >= 0 && path_ != "-") close(fd_);
  if (aside_) {
    unlink(written_.c_str());
    asideNamed = 0;
  }
}

bool OutputFile::Open(const std::string& path, std::string* error) {
  path_ = path;
  const auto fail = [&](int why) {
    return Fail(error, "cannot write " + path + ": " + std::strerror(why));
  };
  if (path == "-") {
    fd_ = STDOUT_FILENO;
    written_ = "/dev/stdout";
    return true;
  }
  struct stat info {};
  int why = lstat(path.c_str(), &info) == 0 ? 0 : errno;
  mode_t mode = 0;
  bool aside = false;
  if (why == ENOENT) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
    aside = true;
    why = 0;
  } else if (why == 0 && S_ISREG(info.st_mode)) {
    // A file the shell's > could not write is not replaced either; no set-id bit is handed on.
    if (access(path.c_str(), W_OK) != 0) return fail(errno);
    mode = info.st_mode & 0777;
    aside = !StickyHoldsAnothers(Folder(path), info);
  } else if (why == 0 && S_ISDIR(info.st_mode)) {
    why = EISDIR;
  }
  if (why != 0) return fail(why);
  if (aside) {
    // A short name of its own in the path's folder: any legal name still fits beside it.
    const std::string name = Folder(path) + "/.wendrix-XXXXXX";
    if (name.size() >= sizeof asidePath) return fail(ENAMETOOLONG);
    std::memcpy(asidePath, name.c_str(), name.size() + 1);
    asideNamed = 1;
    fd_ = mkostemp(asidePath, O_CLOEXEC);
    if (fd_ >= 0) {
      fchmod(fd_, mode);
      aside_ = true;
      written_ = asidePath;
      return true;
    }
    const int made = errno;
    asideNamed = 0;
    // A folder we may not change still lets a writable file be written, in place.
    if (made != EACCES && made != EPERM) return fail(made);
  }
  fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) return fail(errno);
  struct stat opened {};
  regularInPlace_ = fstat(fd_, &opened) == 0 && S_ISREG(opened.st_mode);
  written_ = path;
  return true;
}

bool OutputFile::Commit(std::string* error) {
  int why = 0;
  if (path_ != "-" && close(fd_) != 0) why = errno;
  fd_ = -1;
  if (aside_) {
    if (why == 0 && std::rename(written_.c_str(), path_.c_str()) != 0) why = errno;
    if (why != 0) unlink(written_.c_str());
    aside_ = false;
    asideNamed = 0;
  }
  return why == 0 || Fail(error, "cannot write " + path_ + ": " + std::strerror(why));
}

void RemoveOutputAside() {
  if (asideNamed != 0) unlink(asidePath);
}
