// The replay engine's view of the chart-file writer component: its four methods, and the one
// value it keeps of their results (the target time of add_time) as text.
//
// Texts are UTF-16, as the window and the component speak them, except the tick fields and the
// three batch lists, which are the tick file's own 8-bit text (system code page). No call
// throws: every failure comes back as a result with the reason.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tickvane {

// A value of the component, as text: "93915" for the number 93915.
class WriterValue {
 public:
  WriterValue() = default;  // the empty value, whose text is ""
  static WriterValue FromText(std::wstring text);

  const std::wstring& Text() const { return text_; }
  // The numeric value of its text, as for every other text the station turns into a number.
  // Worked out once per value and kept: the replay asks for it at every record while a forward
  // runs.
  double Number() const;
  // Whether the value equals 0 (so the empty value, "0" and "abc" all do).
  bool EqualsZero() const { return Number() == 0; }

 private:
  std::wstring text_;
  mutable bool numberKnown_ = false;
  mutable double number_ = 0;
};

// The result of one call: done or not, with the component's value (add_time's target).
struct WriterResult {
  bool ok = false;
  WriterValue value;
  std::wstring error;  // the component's own description where it gave one, else the system's text
};

// One instance of the component. The method names are the component's own.
//
// The instance keeps writerState: every writing call hands the component, by reference, the
// result of the instance's previous successful writing call (empty before the first), exactly as
// the component returned it, and that call's own result takes its place. The replay never reads
// it; what it is stays the component's business.
class ChartWriter {
 public:
  virtual ~ChartWriter() = default;
  virtual WriterResult writing_header(std::wstring_view chartFileName) = 0;
  virtual WriterResult writing_data(std::string_view tickDate, std::string_view tickPrice, std::string_view tickTime,
                                    std::wstring_view chartFileName) = 0;
  virtual WriterResult writing_data_forward(std::string_view dateList, std::string_view priceList,
                                            std::string_view timeList, std::wstring_view chartFileName) = 0;
  virtual WriterResult add_time(std::wstring_view fromTime, std::wstring_view minutes) = 0;
  // writerState as text, for messages and tests: "" before the first writing call.
  virtual std::wstring WriterStateText() const = 0;
};

struct WriterCreation {
  std::unique_ptr<ChartWriter> writer;  // null when the component could not be created
  std::wstring error;                   // then: why
};

// Makes instances: one per replay, and a short-lived one for each "Forward mins".
class ChartWriterFactory {
 public:
  virtual ~ChartWriterFactory() = default;
  virtual WriterCreation Create() = 0;
  // How messages name the component, e.g. "zavovq".
  virtual std::wstring ComponentName() const = 0;
};

}  // namespace tickvane
