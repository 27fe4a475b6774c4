// A byte source over a C stdio file, for the native build and for tools.
#pragma once

#include "station/engine/byte_source.h"

#include <cstdio>
#include <memory>
#include <string>

namespace tickvane {

class FileByteSource final : public ByteSource {
 public:
  // Takes ownership of `file` and closes it.
  explicit FileByteSource(std::FILE* file) : file_(file) {}
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;
  ~FileByteSource() override;

  std::size_t Read(char* buffer, std::size_t capacity) override;

  // Whether a read stopped on an error rather than at the end of the file.
  bool Failed() const { return failed_; }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

// Opens the file for reading in binary mode, so that the C library leaves the line ends alone
// (the reader decides what ends a line). Null when the file cannot be opened; errno tells why.
std::unique_ptr<FileByteSource> OpenTickFile(const std::string& path);

}  // namespace tickvane
