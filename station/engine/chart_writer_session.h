// How the station lives with a chart-file writer that may be missing or failing: it says so once,
// clearly, and the replay goes on (with the DDE items alone if need be). No failure ends the process.
//
// The replay's instance: when it cannot be created, the first writer step of a "sierra" replay
// (Start) reports it once and no call is made; other modes never call the writer, so they say
// nothing. When a call fails, that failure is reported once and the writer is switched off for the
// rest of the replay: a chart that visibly stops where the message said is easier to trust than one
// with silent holes, and a broken component is not called (and not reported) for every later tick.
#pragma once

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
  std::optional<std::string> Start(std::string_view chartFileName);  // writing_header
  std::optional<std::string> WriteRecord(std::string_view tickDate, std::string_view tickPrice,
                                         std::string_view tickTime, std::string_view chartFileName);
  std::optional<std::string> WriteBatch(std::string_view dateList, std::string_view priceList,
                                        std::string_view timeList, std::string_view chartFileName);

  // The value of the last successful writing call (empty before the first).
  const WriterValue& writerState() const { return writerState_; }
  // False once the writer is missing or has failed: no more calls are made.
  bool writing() const { return writer_ != nullptr && !failed_; }

 private:
  std::optional<std::string> Take(const char* method, WriterResult result);

  std::string component_;
  std::unique_ptr<ChartWriter> writer_;
  std::string creationError_;
  bool failed_ = false;
  bool creationReported_ = false;
  WriterValue writerState_;
};

// The target of a "Forward mins": add_time on a short-lived instance of its own.
struct ForwardTarget {
  WriterValue toTime;                  // the call's result; "0" (no target) when it failed
  std::optional<std::string> message;  // what to show when it failed
};
ForwardTarget AskForwardTarget(ChartWriterFactory& factory, std::string_view fromTime, std::string_view minutes);

}  // namespace tickvane
