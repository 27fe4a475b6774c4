// A program started by a test, optionally with its standard output and error read through pipes.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/handle_owners_win.h"

namespace tickvane::testing {

class DdeChildProcess {
 public:
  DdeChildProcess() = default;
  // Ends the program if it still runs.
  ~DdeChildProcess();
  DdeChildProcess(const DdeChildProcess&) = delete;
  DdeChildProcess& operator=(const DdeChildProcess&) = delete;

  // Starts program with the arguments (already quoted as needed). On failure returns false
  // with the reason in *error.
  bool Start(const std::wstring& program, const std::wstring& arguments, bool captureOutput, std::wstring* error);

  DWORD Id() const { return id_; }
  DWORD MainThreadId() const { return threadId_; }
  bool Running() const;
  // The exit code once the program has ended.
  std::optional<DWORD> ExitCode() const;
  // Waits (without pumping messages) up to timeoutMs for the end; the exit code, if it ended.
  std::optional<DWORD> WaitExit(DWORD timeoutMs);
  void Kill();

  // What the program has written so far (bytes as written; CR LF line ends).
  std::string Output() const;
  std::string Errors() const;

 private:
  void ReadAll(HANDLE pipe, std::string* into);

  UniqueHandle process_;
  DWORD id_ = 0;
  DWORD threadId_ = 0;
  UniqueHandle outRead_, errRead_;
  std::thread outReader_, errReader_;
  mutable std::mutex lock_;
  std::string out_, err_;
};

// The folder that holds the running program, with a trailing backslash.
std::wstring DdeTestProgramFolder();

}  // namespace tickvane::testing
