#include "tests/windows/support/launcher_recorder_win.h"

#include <algorithm>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {

bool PlaceRecorder(const ScratchFolder& folder, std::wstring_view programName) {
  std::wstring from = TestDirectory() + L"\\" + kRecorderProgram;
  std::wstring to = folder.Path() + L"\\" + std::wstring(programName);
  return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

std::vector<RecordedStart> RecordedStarts(const ScratchFolder& folder, std::wstring_view programName) {
  std::wstring name(programName);
  size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  std::string bytes = ReadWholeFile(folder.Path() + L"\\" + name + L".log");
  std::vector<RecordedStart> starts;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    at = end + 1;
    size_t tab = line.rfind('\t');
    RecordedStart start;
    start.commandLine = FromUtf8(line.substr(0, tab));
    if (tab != std::string::npos) start.showCommand = std::stoi(line.substr(tab + 1));
    starts.push_back(start);
  }
  return starts;
}

std::string ReadWholeFile(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> FolderContents(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return names;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += L"\\";
    names.push_back(name);
  } while (::FindNextFileW(search.get(), &found));
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
  return names;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names = FolderContents(folder);
  std::erase_if(names, [](const std::wstring& name) { return name.ends_with(L'\\'); });
  return names;
}

void PostMouseClick(HWND control) {
  RECT r{};
  ::GetClientRect(control, &r);
  LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(control, WM_LBUTTONUP, 0, at);
}

HWND FindTopLevelAnywhere(std::wstring_view className, std::wstring_view captionPart) {
  return FindVisibleWindow(nullptr, className, captionPart, TextMatch::Part);
}

void EndProcessOf(HWND window) {
  DWORD id = 0;
  if (!window || !::GetWindowThreadProcessId(window, &id) || id == 0) return;
  UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
  if (!process) return;
  ::TerminateProcess(process.get(), 99);
  ::WaitForSingleObject(process.get(), 10000);
}

}  // namespace tickvane::test
