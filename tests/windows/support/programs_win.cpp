#include "tests/windows/support/programs_win.h"

#include <shellapi.h>

#include <vector>

#include "common/win_text_win.h"

namespace tickvane::test {

std::wstring TestDirectory() { return ProgramDirectory(); }

std::wstring ProgramsDirectory() {
  std::wstring tests = TestDirectory();
  size_t slash = tests.find_last_of(L"\\/");
  return tests.substr(0, slash) + L"\\bin";
}

ScratchFolder::ScratchFolder(std::wstring_view label) {
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH, temp);
  static LONG counter = 0;
  std::wstring base = std::wstring(temp) + L"tickvane-test-" + std::wstring(label) + L"-" +
                      std::to_wstring(::GetCurrentProcessId()) + L"-";
  for (;;) {
    path_ = base + std::to_wstring(::InterlockedIncrement(&counter));
    if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

ScratchFolder::~ScratchFolder() {
  // SHFileOperation wants a list ended by two NULs.
  std::wstring from = path_;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&op);
}

std::wstring ScratchFolder::CopyProgram(std::wstring_view fileName) const {
  std::wstring from = ProgramsDirectory() + L"\\" + std::wstring(fileName);
  std::wstring to = path_ + L"\\" + std::wstring(fileName);
  ::CopyFileW(from.c_str(), to.c_str(), FALSE);
  return to;
}

void ScratchFolder::WriteFile(std::wstring_view fileName, std::string_view bytes) const {
  std::wstring path = path_ + L"\\" + std::wstring(fileName);
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  DWORD written = 0;
  if (file) ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

Process Process::Start(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder) {
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Process process;
  if (::CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    process.handle_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    process.id_ = info.dwProcessId;
    process.threadId_ = info.dwThreadId;
  }
  return process;
}

Process::~Process() { Kill(); }

bool Process::Running() const {
  return handle_ && ::WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (!handle_) return false;
  if (::WaitForSingleObject(handle_.get(), timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) ::GetExitCodeProcess(handle_.get(), exitCode);
  return true;
}

void Process::Kill() {
  if (Running()) {
    ::TerminateProcess(handle_.get(), 99);
    ::WaitForSingleObject(handle_.get(), 10000);
  }
}

::testing::AssertionResult SecondCopyEndsQuietly(const std::wstring& program, const std::wstring& arguments,
                                                 const std::wstring& folder) {
  Process second = Process::Start(program, arguments, folder);
  if (!second.Started()) return ::testing::AssertionFailure() << "the second copy did not start";
  DWORD code = 1;
  if (!second.WaitForExit(30000, &code)) return ::testing::AssertionFailure() << "the second copy kept running";
  if (code != 0) return ::testing::AssertionFailure() << "the second copy ended with exit code " << code;
  return ::testing::AssertionSuccess();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= deadline) return false;
    // Keep this thread's own windows (a DDE client's, say) answering while we wait.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace tickvane::test
