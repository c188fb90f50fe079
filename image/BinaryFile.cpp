// BinaryFile: one stdio stream, read in exact pieces with little-endian values.
#include "image/BinaryFile.h"

#include "platform/Platform.h"

BinaryFile::~BinaryFile() { close(); }

bool BinaryFile::open(const char* fileName, const char* mode) {
  close();
  stream_ = std::fopen(fileName, mode);
  if (stream_ == nullptr) return false;
  atEnd_ = false;
  return true;
}

bool BinaryFile::openRegular(const char* fileName, std::string* why) {
  close();
  stream_ = OpenRegularFile(fileName, why);
  if (stream_ == nullptr) return false;
  atEnd_ = false;
  return true;
}

void BinaryFile::close() {
  if (stream_ == nullptr) return;
  std::fclose(stream_);
  stream_ = nullptr;
  atEnd_ = true;
}

bool BinaryFile::read(void* buffer, size_t byteCount) {
  if (stream_ == nullptr) return false;
  if (std::fread(buffer, byteCount, 1, stream_) == 1) return true;
  // A shortfall that is not the end of the file (a read error) leaves atEnd false.
  atEnd_ = std::feof(stream_) != 0;
  return false;
}

bool BinaryFile::write(const void* buffer, size_t byteCount) {
  if (stream_ == nullptr) return false;
  return std::fwrite(buffer, byteCount, 1, stream_) == 1;
}

// Values are composed from bytes so the file's byte order holds on any host,
// and a value whose read falls short keeps what it held.
BinaryFile& BinaryFile::readValue(uint8_t& value) {
  read(&value, 1);
  return *this;
}

BinaryFile& BinaryFile::readValue(uint16_t& value) {
  uint8_t bytes[2];
  if (read(bytes, sizeof bytes)) value = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
  return *this;
}

BinaryFile& BinaryFile::readValue(uint32_t& value) {
  uint8_t bytes[4];
  if (read(bytes, sizeof bytes)) {
    value = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
            uint32_t{bytes[3]} << 24;
  }
  return *this;
}

long BinaryFile::tell() { return std::ftell(stream_); }

bool BinaryFile::seekFromStart(int32_t offset) {
  return std::fseek(stream_, offset, SEEK_SET) == 0;
}

bool BinaryFile::seekFromCurrent(int32_t offset) {
  return std::fseek(stream_, offset, SEEK_CUR) == 0;
}

bool BinaryFile::seekFromEnd(int32_t offset) { return std::fseek(stream_, offset, SEEK_END) == 0; }
