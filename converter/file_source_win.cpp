#include "converter/file_source_win.h"

#include "common/win_text_win.h"

namespace tickvane::converter {

std::string FileSource::Name() const { return ToAnsi(path_); }

bool FileSource::Open(std::string* problem) {
  file_.reset(::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file_) {
    *problem = "could not be opened: " + ToAnsi(SystemErrorText(::GetLastError()));
    return false;
  }
  LARGE_INTEGER size{};
  size_ = ::GetFileType(file_.get()) == FILE_TYPE_DISK && ::GetFileSizeEx(file_.get(), &size) ? size.QuadPart : -1;
  return true;
}

bool FileSource::Read(char* buffer, size_t capacity, size_t* got, std::string* problem) {
  DWORD n = 0;
  const DWORD want = capacity > (1u << 30) ? (1u << 30) : static_cast<DWORD>(capacity);
  if (!::ReadFile(file_.get(), buffer, want, &n, nullptr)) {
    DWORD error = ::GetLastError();
    if (error == ERROR_BROKEN_PIPE) {  // the writing end of a pipe closed: its end of file
      *got = 0;
      return true;
    }
    *problem = "could not be read: " + ToAnsi(SystemErrorText(error));
    return false;
  }
  *got = n;
  return true;
}

bool ReadFileStart(const std::wstring& path, size_t capacity, std::string* bytes, bool* whole, std::wstring* problem) {
  FileSource source(path);
  std::string reason;
  if (!source.Open(&reason)) {
    *problem = FromAnsi(reason);
    return false;
  }
  bytes->assign(capacity, '\0');
  size_t have = 0;
  while (have < capacity) {
    size_t got = 0;
    if (!source.Read(bytes->data() + have, capacity - have, &got, &reason)) {
      *problem = FromAnsi(reason);
      return false;
    }
    if (got == 0) break;
    have += got;
  }
  bytes->resize(have);
  *whole = have < capacity || source.Size() == static_cast<std::int64_t>(have);
  return true;
}

}  // namespace tickvane::converter
