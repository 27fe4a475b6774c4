#include "component/chart_file_win.h"

#include <algorithm>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "component/chart_format.h"

namespace tickvane::zavovq {
namespace {

FileOutcome Failure(std::wstring text, DWORD error) {
  FileOutcome out;
  out.error = std::move(text) + L": " + SystemErrorText(error);
  out.code = HRESULT_FROM_WIN32(error);
  return out;
}

FileOutcome Refusal(std::wstring text) {
  FileOutcome out;
  out.error = std::move(text);
  out.code = E_INVALIDARG;
  return out;
}

std::wstring FileName(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Sierra Chart opens the file for reading, and may hold it open for writing, while we append.
UniqueFile OpenShared(const std::wstring& path, DWORD disposition) {
  return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    // WriteFile takes a DWORD count; big batches go in slices.
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool ReadAt(HANDLE file, LONGLONG offset, std::string& bytes) {
  LARGE_INTEGER at;
  at.QuadPart = offset;
  if (!::SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) return false;
  DWORD read = 0;
  if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return false;
  bytes.resize(read);
  return true;
}

void CutBack(HANDLE file, LONGLONG size) {
  LARGE_INTEGER at;
  at.QuadPart = size;
  if (::SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) ::SetEndOfFile(file);
}

// A chart file with no records: nothing in it is worth a backup (and an older .bak may be).
bool IsBareHeader(HANDLE file, LONGLONG size) {
  if (size != static_cast<LONGLONG>(chart::kHeaderSize)) return false;
  std::string header(chart::kHeaderSize, '\0');
  return ReadAt(file, 0, header) && !chart::HeaderProblem(header);
}

// Copies the first `size` bytes of `from` to the end of `to`, whose pointer is where to write.
bool CopyBytes(HANDLE from, LONGLONG size, HANDLE to) {
  LARGE_INTEGER start{};
  if (!::SetFilePointerEx(from, start, nullptr, FILE_BEGIN)) return false;
  std::string buffer(1 << 20, '\0');
  for (LONGLONG left = size; left > 0;) {
    const DWORD want = static_cast<DWORD>(std::min<LONGLONG>(left, static_cast<LONGLONG>(buffer.size())));
    DWORD read = 0;
    if (!::ReadFile(from, buffer.data(), want, &read, nullptr)) return false;
    if (read == 0) {
      ::SetLastError(ERROR_HANDLE_EOF);  // the file shrank under us
      return false;
    }
    if (!WriteAll(to, std::string_view(buffer.data(), read))) return false;
    left -= read;
  }
  return true;
}

// The whole file into `backup`, through a file of its own first, so that a copy that fails
// half-way leaves an older .bak as it was. The system's error code, 0 when done.
DWORD CopyToBackup(HANDLE file, LONGLONG size, const std::wstring& backup) {
  const std::wstring fresh = backup + L".new";
  DWORD error = 0;
  {
    UniqueFile copy(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy) return ::GetLastError();
    if (!CopyBytes(file, size, copy.get())) error = ::GetLastError();
  }
  if (!error && !::MoveFileExW(fresh.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING)) error = ::GetLastError();
  if (error) ::DeleteFileW(fresh.c_str());
  return error;
}

// Makes `bytes` the whole content of the file.
bool RewriteFrom(HANDLE file, std::string_view bytes) {
  LARGE_INTEGER start{};
  return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, bytes) && ::SetEndOfFile(file);
}

void RestoreFrom(const std::wstring& backup, HANDLE file) {
  UniqueFile copy(::CreateFileW(backup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size, start{};
  if (!copy || !::GetFileSizeEx(copy.get(), &size) || !::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return;
  if (CopyBytes(copy.get(), size.QuadPart, file)) ::SetEndOfFile(file);
}

}  // namespace

FileOutcome StartChartFile(const std::wstring& path) {
  const std::wstring name = FileName(path);
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Refusal(L"\"" + name + L"\" is a folder, not a chart file.");
  UniqueFile file = OpenShared(path, OPEN_ALWAYS);
  if (!file) return Failure(L"\"" + name + L"\" could not be opened", ::GetLastError());
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size)) return Failure(L"The size of \"" + name + L"\" is unknown", ::GetLastError());

  const std::wstring backup = path + L".bak";
  bool keptInBackup = false;
  if (size.QuadPart > 0 && !IsBareHeader(file.get(), size.QuadPart)) {
    if (DWORD error = CopyToBackup(file.get(), size.QuadPart, backup))
      return Failure(L"The existing \"" + name + L"\" could not be kept as \"" + name + L".bak\", so it is left as it is",
                     error);
    keptInBackup = true;
  }
  std::string header;
  chart::AppendHeader(header);
  if (!RewriteFrom(file.get(), header)) {
    const DWORD error = ::GetLastError();
    // Put back what was there; the copy in .bak stays too.
    if (keptInBackup) RestoreFrom(backup, file.get());
    return Failure(L"The header of \"" + name + L"\" could not be written", error);
  }
  FileOutcome out;
  out.ok = true;
  return out;
}

FileOutcome AppendToChartFile(const std::wstring& path, std::string_view records) {
  const std::wstring name = FileName(path);
  UniqueFile file = OpenShared(path, OPEN_ALWAYS);
  if (!file) return Failure(L"\"" + name + L"\" could not be opened", ::GetLastError());
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size)) return Failure(L"The size of \"" + name + L"\" is unknown", ::GetLastError());

  std::string bytes;
  if (size.QuadPart == 0) {
    chart::AppendHeader(bytes);
  } else {
    std::string header(chart::kHeaderSize, '\0');
    if (!ReadAt(file.get(), 0, header)) return Failure(L"\"" + name + L"\" could not be read", ::GetLastError());
    if (auto problem = chart::HeaderProblem(header))
      return Refusal(L"\"" + name + L"\" is not a chart file (" + FromUtf8(*problem) +
                     L"); it is left as it is.");
    if ((size.QuadPart - static_cast<LONGLONG>(chart::kHeaderSize)) % chart::kRecordSize != 0)
      return Refusal(L"\"" + name + L"\" ends inside a record; it is left as it is.");
  }
  bytes.append(records);

  LARGE_INTEGER end;
  end.QuadPart = size.QuadPart;
  if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN))
    return Failure(L"\"" + name + L"\" could not be appended to", ::GetLastError());
  // One write of whole records, nothing held back in the component: once WriteFile returns they
  // are the system's, which readers such as Sierra Chart see at once and which outlive this
  // process however it ends. They are not forced to the disk: a disk sync per tick (about 1.5 ms
  // here, more on a hard disk) would slow every replay in "sierra" mode.
  if (!WriteAll(file.get(), bytes)) {
    const DWORD error = ::GetLastError();
    CutBack(file.get(), size.QuadPart);
    return Failure(L"The records could not be written to \"" + name + L"\"", error);
  }
  FileOutcome out;
  out.ok = true;
  out.records =
      static_cast<double>((size.QuadPart + static_cast<LONGLONG>(bytes.size()) - static_cast<LONGLONG>(chart::kHeaderSize)) /
                          static_cast<LONGLONG>(chart::kRecordSize));
  return out;
}

}  // namespace tickvane::zavovq
