// The replay engine's view of the chart-file writer component: its four methods, with the values
// it returns kept opaque. The engine only hands them back (writerState) or turns them into text
// (forwardToTime); the Windows side fills them with the component's VARIANTs.
//
// Texts are UTF-8, except the tick fields and the three batch lists, which are the tick file's own
// 8-bit text. No call throws: every failure comes back as a result with the reason.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tickvane {

class WriterValue {
 public:
  // What lies behind a value; the Windows side keeps a VARIANT here.
  class Payload {
   public:
    virtual ~Payload() = default;
    virtual std::string Text() const = 0;
  };

  WriterValue() = default;  // the empty value, whose text is ""
  explicit WriterValue(std::shared_ptr<const Payload> payload) : payload_(std::move(payload)) {}
  static WriterValue FromText(std::string text);

  // The value as text: "93915" for the number 93915.
  std::string Text() const { return payload_ ? payload_->Text() : std::string(); }
  // The numeric value of its text, as for every other text the station turns into a number.
  // Worked out once per value and kept: the replay asks for it at every record while a forward
  // runs, and the component's values are turned into text by a system conversion.
  double Number() const;
  // Whether the value equals 0 (so the empty value, "0" and "abc" all do).
  bool EqualsZero() const { return Number() == 0; }
  const Payload* payload() const { return payload_.get(); }

 private:
  std::shared_ptr<const Payload> payload_;
  mutable bool numberKnown_ = false;
  mutable double number_ = 0;
};

// The result of one call: the component's value, or why the call failed.
struct WriterResult {
  bool ok = false;
  WriterValue value;
  std::string error;  // the component's own description where it gave one, else the system's text
};

// One instance of the component. The method names are the component's own.
class ChartWriter {
 public:
  virtual ~ChartWriter() = default;
  virtual WriterResult writing_header(std::string_view chartFileName) = 0;
  virtual WriterResult writing_data(std::string_view tickDate, std::string_view tickPrice, std::string_view tickTime,
                                    const WriterValue& writerState, std::string_view chartFileName) = 0;
  virtual WriterResult writing_data_forward(std::string_view dateList, std::string_view priceList,
                                            std::string_view timeList, const WriterValue& writerState,
                                            std::string_view chartFileName) = 0;
  virtual WriterResult add_time(std::string_view fromTime, std::string_view minutes) = 0;
};

struct WriterCreation {
  std::unique_ptr<ChartWriter> writer;  // null when the component could not be created
  std::string error;                    // then: why
};

// Makes instances: one per replay, and a short-lived one for each "Forward mins".
class ChartWriterFactory {
 public:
  virtual ~ChartWriterFactory() = default;
  virtual WriterCreation Create() = 0;
  // How messages name the component, e.g. "zavovq".
  virtual std::string ComponentName() const = 0;
};

}  // namespace tickvane
