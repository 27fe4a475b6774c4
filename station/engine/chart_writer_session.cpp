#include "station/engine/chart_writer_session.h"

namespace tickvane {
namespace {

std::string Named(const std::string& component) {
  return "The chart-file writer component \"" + component + "\"";
}

}  // namespace

ReplayChartWriter::ReplayChartWriter(ChartWriterFactory& factory) : component_(factory.ComponentName()) {
  WriterCreation created = factory.Create();
  writer_ = std::move(created.writer);
  if (!writer_) creationError_ = created.error.empty() ? std::string("unknown reason") : created.error;
}

std::optional<std::string> ReplayChartWriter::Take(const char* method, WriterResult result) {
  if (result.ok) {
    writerState_ = std::move(result.value);
    return std::nullopt;
  }
  failed_ = true;
  return Named(component_) + " failed in " + method + ": " +
         (result.error.empty() ? std::string("unknown reason") : result.error) +
         "\n\nThe chart file is not written for the rest of this replay.";
}

std::optional<std::string> ReplayChartWriter::Start(std::string_view chartFileName) {
  if (!writer_) {
    if (creationReported_) return std::nullopt;
    creationReported_ = true;
    return Named(component_) + " could not be created: " + creationError_ +
           "\n\nThe replay goes on without writing the chart file.";
  }
  if (failed_) return std::nullopt;
  return Take("writing_header", writer_->writing_header(chartFileName));
}

std::optional<std::string> ReplayChartWriter::WriteRecord(std::string_view tickDate, std::string_view tickPrice,
                                                          std::string_view tickTime, std::string_view chartFileName) {
  if (!writing()) return std::nullopt;
  return Take("writing_data", writer_->writing_data(tickDate, tickPrice, tickTime, writerState_, chartFileName));
}

std::optional<std::string> ReplayChartWriter::WriteBatch(std::string_view dateList, std::string_view priceList,
                                                         std::string_view timeList, std::string_view chartFileName) {
  if (!writing()) return std::nullopt;
  return Take("writing_data_forward",
              writer_->writing_data_forward(dateList, priceList, timeList, writerState_, chartFileName));
}

ForwardTarget AskForwardTarget(ChartWriterFactory& factory, std::string_view fromTime, std::string_view minutes) {
  const std::string notMade = "\n\nThe forward by minutes is not made.";
  ForwardTarget target{WriterValue::FromText("0"), std::nullopt};
  WriterCreation created = factory.Create();
  if (!created.writer) {
    target.message = Named(factory.ComponentName()) + " could not be created: " +
                     (created.error.empty() ? std::string("unknown reason") : created.error) + notMade;
    return target;
  }
  WriterResult result = created.writer->add_time(fromTime, minutes);
  if (!result.ok) {
    target.message = Named(factory.ComponentName()) + " failed in add_time: " +
                     (result.error.empty() ? std::string("unknown reason") : result.error) + notMade;
    return target;
  }
  target.toTime = std::move(result.value);
  return target;
}

}  // namespace tickvane
