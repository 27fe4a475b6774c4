#include "station/engine/chart_writer.h"

#include "station/engine/numeric_value.h"

namespace tickvane {

double WriterValue::Number() const {
  if (!numberKnown_) {
    number_ = NumericValue(std::wstring_view(text_));
    numberKnown_ = true;
  }
  return number_;
}

WriterValue WriterValue::FromText(std::wstring text) {
  WriterValue value;
  value.text_ = std::move(text);
  return value;
}

}  // namespace tickvane
