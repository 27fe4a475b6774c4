#include "component/chart_file_win.h"

#include "common/win_owners.h"
#include "common/win_text.h"
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

}  // namespace

FileOutcome StartChartFile(const std::wstring& path) {
  const std::wstring name = FileName(path);
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Refusal(L"\"" + name + L"\" is a folder, not a chart file.");
    const std::wstring backup = path + L".bak";
    if (!::MoveFileExW(path.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING))
      return Failure(L"The existing \"" + name + L"\" could not be kept as \"" + name + L".bak\"", ::GetLastError());
  }
  UniqueFile file = OpenShared(path, CREATE_ALWAYS);
  if (!file) return Failure(L"\"" + name + L"\" could not be created", ::GetLastError());
  std::string header;
  chart::AppendHeader(header);
  if (!WriteAll(file.get(), header)) {
    const DWORD error = ::GetLastError();
    CutBack(file.get(), 0);
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
