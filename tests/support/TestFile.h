// A byte fixture written to a file of its own and removed again afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

class TestFile {
 public:
  // The process id keeps parallel test processes off each other's files.
  explicit TestFile(const std::vector<uint8_t>& bytes, const std::string& name = "fixture")
      : path_(testing::TempDir() + "wendrix_" + std::to_string(getpid()) + "_" + name) {
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TestFile() { std::remove(path_.c_str()); }
  TestFile(const TestFile&) = delete;
  TestFile& operator=(const TestFile&) = delete;
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};
