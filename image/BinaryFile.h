// A binary file read in fixed-size pieces, every operation a boolean result.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class BinaryFile {
 public:
  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  // Closes any open stream first; on failure no stream is left open.
  bool open(const char* fileName, const char* mode);
  // open(fileName, "rb") for a regular file only, without waiting at a FIFO or
  // a device; anything else is refused with the reason in *why.
  bool openRegular(const char* fileName, std::string* why);
  // Harmless without a stream.
  void close();
  // One item of exactly byteCount bytes; a short read keeps what it got at the front.
  bool read(void* buffer, size_t byteCount);
  bool write(const void* buffer, size_t byteCount);
  // Little-endian values; the outcome of a chain shows in atEnd().
  BinaryFile& readValue(uint8_t& value);
  BinaryFile& readValue(uint16_t& value);
  BinaryFile& readValue(uint32_t& value);
  bool atEnd() const { return atEnd_; }
  // These need an open stream.
  long tell();
  bool seekFromStart(int32_t offset);
  bool seekFromCurrent(int32_t offset);
  bool seekFromEnd(int32_t offset);

 private:
  FILE* stream_ = nullptr;
  bool atEnd_ = true;  // true while no stream is open
};
