// Test helper: a byte fixture written to a file of its own, removed again afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TestFile {
 public:
  // The process id keeps parallel test processes off each other's files.
  TestFile(const std::string& name, const std::vector<uint8_t>& bytes)
      : path_(::testing::TempDir() + "wendrix_" + std::to_string(getpid()) + "_" + name) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path_;
    if (file == nullptr) return;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ~TestFile() { std::remove(path_.c_str()); }
  TestFile(const TestFile&) = delete;
  TestFile& operator=(const TestFile&) = delete;

  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};
