// One conversion of recorded tick files into a playback file, run on a thread of its own so that
// a window can show its progress and take a Cancel.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/handle_owners_win.h"
#include "converter/joined_conversion.h"

namespace tickvane::converter {

enum class JobOutcome { Running, Done, Cancelled, BadInput, Failed };

struct JobRequest {
  std::vector<std::wstring> inputs;       // the recorded tick files, in any order
  std::wstring target;                    // the playback file to replace when all went well
  std::optional<std::string> sourceZone;  // the zone of the files' times; none: each format's own
  std::string playbackZone;               // the zone to write the times in; empty: as read
  std::wstring playbackZoneOrigin;        // where that zone comes from, for messages ("RecordingTimeZone ...")
  std::optional<PriceKind> price;
  std::string symbol;
};

class ConversionJob {
 public:
  explicit ConversionJob(JobRequest request);
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
  // Ticks converted so far, and the input being read (-1 before the first).
  std::uint64_t TicksSoFar() const { return progress_.ticks.load(); }
  int CurrentInput() const { return progress_.source.load(); }
  const JobRequest& Request() const { return request_; }
  std::uint64_t Ticks() const { return result_.ticks; }
  // What went wrong, as the user is told (empty when nothing did), and how the files were found.
  // Valid once the job has ended.
  const std::wstring& Message() const { return message_; }
  const JoinResult& Result() const { return result_; }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
  JobOutcome Convert();

  JobRequest request_;
  std::wstring temporary_;  // fixed before the thread starts; empty when none was made
  bool abandoned_ = false;
  UniqueHandle thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<JobOutcome> outcome_{JobOutcome::Running};
  JoinProgress progress_;
  JoinResult result_;
  std::wstring message_;
};

}  // namespace tickvane::converter
