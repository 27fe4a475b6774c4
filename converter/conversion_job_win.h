// One conversion of a recorded tick file into practice.EPF, run on a thread of its own so that
// the window can show its progress and take a Cancel.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "common/win_owners.h"

namespace tickvane::converter {

enum class JobOutcome { Running, Done, Cancelled, BadInput, Failed };

class ConversionJob {
 public:
  // input: the recorded tick file; target: the playback file to replace when all went well.
  ConversionJob(std::wstring input, std::wstring target);
  ~ConversionJob();
  ConversionJob(const ConversionJob&) = delete;
  ConversionJob& operator=(const ConversionJob&) = delete;

  void Start();
  // Asks the conversion to stop; the old playback file stays as it was.
  void Cancel();
  // Waits for the end of the thread, up to timeoutMs; false when it still runs.
  bool Wait(DWORD timeoutMs);
  // Gives up on a cancelled job whose thread does not stop (a read that cannot be cut short):
  // its unfinished file goes at once, and the thread ends with the process.
  void Abandon();

  JobOutcome Outcome() const { return outcome_.load(); }
  // Per mille of the input read; -1 while the input's size is not known.
  int Progress() const;
  std::uint64_t Ticks() const { return ticks_; }
  // What went wrong, as the user is told (empty when nothing did). Valid once the job has ended.
  const std::wstring& Message() const { return message_; }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
  JobOutcome Convert();
  bool WriteAll(HANDLE file, const std::string& bytes);

  std::wstring input_, target_;
  std::wstring temporary_;  // fixed before the thread starts; empty when none was made
  bool abandoned_ = false;
  UniqueHandle thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<JobOutcome> outcome_{JobOutcome::Running};
  std::atomic<std::int64_t> size_{-1};
  std::atomic<std::int64_t> done_{0};
  std::uint64_t ticks_ = 0;
  std::wstring message_;
};

}  // namespace tickvane::converter
