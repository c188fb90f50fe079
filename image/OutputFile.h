// Where a file the renderer writes goes, PNG frame or film: written aside and
// renamed over its path, or into the thing the path names.
#pragma once

#include <string>

// A new name or a regular file the user may write is written aside, in a file of
// its own in the same folder, and renamed over the path when it is whole, so that
// a failed write leaves the path as it was; a regular file that may not be
// replaced (its folder may not be changed, or is sticky and holds another's file)
// is written in place. A device, a FIFO or a link's target is written in place,
// the link opened as the kernel allows. "-" is standard output. One file is
// written aside at a time.
class OutputFile {
 public:
  OutputFile() = default;
  // Removes the file aside unless it was committed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // false with "cannot write PATH: why"; a file the shell's > could not write is refused.
  bool Open(const std::string& path, std::string* error);
  int fd() const { return fd_; }
  // Written in place into a regular file, whose old bytes are still there.
  bool regularInPlace() const { return regularInPlace_; }
  // The name the bytes can be read back under while they are written.
  const std::string& writtenPath() const { return written_; }
  // Closes the file and renames it over the path; false with "cannot write PATH: why".
  bool Commit(std::string* error);

 private:
  std::string path_;
  std::string written_;
  int fd_ = -1;
  bool aside_ = false;
  bool regularInPlace_ = false;
};

// Removes the file being written aside, if any: for a signal's handler (it calls
// only unlink), before the process dies.
void RemoveOutputAside();
