#include "station/engine/file_byte_source.h"

namespace tickvane {

FileByteSource::~FileByteSource() {
  if (file_ != nullptr) std::fclose(file_);
}

std::size_t FileByteSource::Read(char* buffer, std::size_t capacity) {
  if (file_ == nullptr || failed_) return 0;
  const std::size_t n = std::fread(buffer, 1, capacity, file_);
  if (n == 0 && std::ferror(file_)) failed_ = true;
  return n;
}

std::unique_ptr<FileByteSource> OpenTickFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  return std::make_unique<FileByteSource>(file);
}

}  // namespace tickvane
