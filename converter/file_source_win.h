// A tick file on disk (or a pipe) as the converter reads it.
#pragma once

#include <windows.h>

#include <string>

#include "common/handle_owners_win.h"
#include "converter/joined_conversion.h"

namespace tickvane::converter {

class FileSource : public TickSource {
 public:
  explicit FileSource(std::wstring path) : path_(std::move(path)) {}

  std::string Name() const override;
  // The problems say what failed and the system's reason: "could not be opened: ... (error 2)".
  bool Open(std::string* problem) override;
  bool Read(char* buffer, size_t capacity, size_t* got, std::string* problem) override;
  std::int64_t Size() const override { return size_; }

  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  UniqueFile file_;
  std::int64_t size_ = -1;
};

// Up to capacity bytes from the start of a file, and whether that is all of it; false with the
// reason when it cannot be read.
bool ReadFileStart(const std::wstring& path, size_t capacity, std::string* bytes, bool* whole, std::wstring* problem);

}  // namespace tickvane::converter
