// What one writer instance does with its chart file: the three writing methods, with the file and
// the time zone that the user's settings give.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "component/chart_target_win.h"

namespace tickvane::zavovq {

// A method's answer: a number for the caller, or why it failed.
struct Outcome {
  double value = 0;
  std::wstring error;  // empty when the call succeeded
  HRESULT code = S_OK;
};

inline Outcome Failed(std::wstring error, HRESULT code) { return {0, std::move(error), code}; }

// The settings are read when a replay starts its file (writing_header) and kept for the later calls
// with the same name, so that a change of settings never splits one replay across two files or two
// time zones. Ticks that a chart cannot place are left out; the answer is always the number of
// records in the file.
class ChartSession {
 public:
  Outcome WritingHeader(const std::wstring& chartFileName);
  // The incoming writer state is not read: the file itself says how many records it holds.
  Outcome WritingData(const std::string& date, const std::string& price, const std::string& time,
                      const std::wstring& chartFileName);
  Outcome WritingDataForward(const std::string& dates, const std::string& prices, const std::string& times,
                             const std::wstring& chartFileName);

 private:
  Outcome Resolve(const std::wstring& chartFileName);

  std::optional<ChartTarget> target_;
  std::wstring targetName_;
};

}  // namespace tickvane::zavovq
