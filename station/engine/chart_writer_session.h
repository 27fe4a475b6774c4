// How the station lives with a chart-file writer that may be missing or failing: it says so once,
// clearly, and the replay goes on (with the DDE items alone if need be). No failure ends the process.
//
// The replay's instance: when it cannot be created, the first writer step of a "sierra" replay
// (Start) reports it once and no call is made; other modes never call the writer, so they say
// nothing. When a call fails, that failure is reported once and the writer is switched off for the
// rest of the replay: a chart that visibly stops where the message said is easier to trust than one
// with silent holes, and a broken component is not called (and not reported) for every later tick.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "station/engine/chart_writer.h"

namespace tickvane {

class ReplayChartWriter {
 public:
  // Creates the replay's instance, in every mode; a failure is kept for Start to report.
  explicit ReplayChartWriter(ChartWriterFactory& factory);

  // Each returns the message to show the user, or nothing.
  std::optional<std::wstring> Start(std::wstring_view chartFileName);  // writing_header
  std::optional<std::wstring> WriteRecord(std::string_view tickDate, std::string_view tickPrice,
                                          std::string_view tickTime, std::wstring_view chartFileName);
  std::optional<std::wstring> WriteBatch(std::string_view dateList, std::string_view priceList,
                                         std::string_view timeList, std::wstring_view chartFileName);

  // The writer state as text: the result of the last successful writing call ("" before the first).
  std::wstring writerState() const { return writer_ ? writer_->WriterStateText() : std::wstring(); }
  // False once the writer is missing or has failed: no more calls are made.
  bool writing() const { return writer_ != nullptr && !failed_; }

 private:
  std::optional<std::wstring> Take(const wchar_t* method, const WriterResult& result);

  std::wstring component_;
  std::unique_ptr<ChartWriter> writer_;
  std::wstring creationError_;
  bool failed_ = false;
  bool creationReported_ = false;
};

// The target of a "Forward mins": add_time on a short-lived instance of its own.
struct ForwardTarget {
  WriterValue toTime;                   // the call's result; "0" (no target) when it failed
  std::optional<std::wstring> message;  // what to show when it failed
};
ForwardTarget AskForwardTarget(ChartWriterFactory& factory, std::wstring_view fromTime, std::wstring_view minutes);

}  // namespace tickvane
