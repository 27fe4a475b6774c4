#include "tests/windows/support/dde_child_process_win.h"

#include <vector>

#include "common/win_text_win.h"

namespace tickvane::testing {
namespace {

// Children inherit every inheritable handle: make pipe ends inheritable only while one child
// starts, so that no other child keeps a pipe open and its reader waiting.
std::mutex& StartLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

DdeChildProcess::~DdeChildProcess() {
  Kill();
  if (outReader_.joinable()) outReader_.join();
  if (errReader_.joinable()) errReader_.join();
}

bool DdeChildProcess::Start(const std::wstring& program, const std::wstring& arguments, bool captureOutput,
                            std::wstring* error) {
  std::lock_guard<std::mutex> hold(StartLock());
  UniqueHandle outWrite, errWrite, nulInput;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  if (captureOutput) {
    HANDLE r = nullptr, w = nullptr;
    if (!::CreatePipe(&r, &w, nullptr, 0)) {
      *error = L"CreatePipe: " + SystemErrorText(::GetLastError());
      return false;
    }
    outRead_.reset(r);
    outWrite.reset(w);
    if (!::CreatePipe(&r, &w, nullptr, 0)) {
      *error = L"CreatePipe: " + SystemErrorText(::GetLastError());
      return false;
    }
    errRead_.reset(r);
    errWrite.reset(w);
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    nulInput.reset(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0,
                                 nullptr));
    ::SetHandleInformation(outWrite.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    ::SetHandleInformation(errWrite.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nulInput.get() == INVALID_HANDLE_VALUE ? nullptr : nulInput.get();
    si.hStdOutput = outWrite.get();
    si.hStdError = errWrite.get();
  }
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  PROCESS_INFORMATION pi{};
  BOOL ok = ::CreateProcessW(program.c_str(), mutableLine.data(), nullptr, nullptr, captureOutput, 0, nullptr,
                             nullptr, &si, &pi);
  if (nulInput.get() == INVALID_HANDLE_VALUE) nulInput.release();
  if (!ok) {
    *error = L"CreateProcess " + commandLine + L": " + SystemErrorText(::GetLastError());
    return false;
  }
  ::CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  id_ = pi.dwProcessId;
  threadId_ = pi.dwThreadId;
  if (captureOutput) {
    outReader_ = std::thread([this] { ReadAll(outRead_.get(), &out_); });
    errReader_ = std::thread([this] { ReadAll(errRead_.get(), &err_); });
  }
  return true;
}

void DdeChildProcess::ReadAll(HANDLE pipe, std::string* into) {
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(pipe, buffer, sizeof(buffer), &n, nullptr) && n > 0) {
    std::lock_guard<std::mutex> hold(lock_);
    into->append(buffer, n);
  }
}

bool DdeChildProcess::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> DdeChildProcess::ExitCode() const {
  if (!process_ || Running()) return std::nullopt;
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

std::optional<DWORD> DdeChildProcess::WaitExit(DWORD timeoutMs) {
  if (!process_) return std::nullopt;
  ::WaitForSingleObject(process_.get(), timeoutMs);
  std::optional<DWORD> code = ExitCode();
  // Once the program has ended its pipes close; let the readers take the last bytes.
  if (code) {
    if (outReader_.joinable()) outReader_.join();
    if (errReader_.joinable()) errReader_.join();
  }
  return code;
}

void DdeChildProcess::Kill() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 10000);
  }
}

std::string DdeChildProcess::Output() const {
  std::lock_guard<std::mutex> hold(lock_);
  return out_;
}

std::string DdeChildProcess::Errors() const {
  std::lock_guard<std::mutex> hold(lock_);
  return err_;
}

std::wstring DdeTestProgramFolder() {
  std::wstring folder = ProgramDirectory();
  return folder.empty() ? folder : folder + L"\\";
}

}  // namespace tickvane::testing
