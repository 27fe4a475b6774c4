#include "station/engine/chart_writer.h"

#include "station/engine/numeric_value.h"

namespace tickvane {
namespace {

class TextPayload final : public WriterValue::Payload {
 public:
  explicit TextPayload(std::string text) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace

double WriterValue::Number() const {
  if (!numberKnown_) {
    number_ = NumericValue(Text());
    numberKnown_ = true;
  }
  return number_;
}

WriterValue WriterValue::FromText(std::string text) {
  return WriterValue(std::make_shared<const TextPayload>(std::move(text)));
}

}  // namespace tickvane
