#include "station/engine/chart_writer_session.h"

namespace tickvane {
namespace {

std::wstring Named(const std::wstring& component) {
  return L"The chart-file writer component \"" + component + L"\"";
}

std::wstring Reason(const std::wstring& error) { return error.empty() ? std::wstring(L"unknown reason") : error; }

}  // namespace

ReplayChartWriter::ReplayChartWriter(ChartWriterFactory& factory) : component_(factory.ComponentName()) {
  WriterCreation created = factory.Create();
  writer_ = std::move(created.writer);
  if (!writer_) creationError_ = Reason(created.error);
}

std::optional<std::wstring> ReplayChartWriter::Take(const wchar_t* method, const WriterResult& result) {
  if (result.ok) return std::nullopt;
  failed_ = true;
  return Named(component_) + L" failed in " + method + L": " + Reason(result.error) +
         L"\n\nThe chart file is not written for the rest of this replay.";
}

std::optional<std::wstring> ReplayChartWriter::Start(std::wstring_view chartFileName) {
  if (!writer_) {
    if (creationReported_) return std::nullopt;
    creationReported_ = true;
    return Named(component_) + L" could not be created: " + creationError_ +
           L"\n\nThe replay goes on without writing the chart file.";
  }
  if (failed_) return std::nullopt;
  return Take(L"writing_header", writer_->writing_header(chartFileName));
}

std::optional<std::wstring> ReplayChartWriter::WriteRecord(std::string_view tickDate, std::string_view tickPrice,
                                                           std::string_view tickTime, std::wstring_view chartFileName) {
  if (!writing()) return std::nullopt;
  return Take(L"writing_data", writer_->writing_data(tickDate, tickPrice, tickTime, chartFileName));
}

std::optional<std::wstring> ReplayChartWriter::WriteBatch(std::string_view dateList, std::string_view priceList,
                                                          std::string_view timeList, std::wstring_view chartFileName) {
  if (!writing()) return std::nullopt;
  return Take(L"writing_data_forward", writer_->writing_data_forward(dateList, priceList, timeList, chartFileName));
}

ForwardTarget AskForwardTarget(ChartWriterFactory& factory, std::wstring_view fromTime, std::wstring_view minutes) {
  const std::wstring notMade = L"\n\nThe forward by minutes is not made.";
  ForwardTarget target{WriterValue::FromText(L"0"), std::nullopt};
  WriterCreation created = factory.Create();
  if (!created.writer) {
    target.message = Named(factory.ComponentName()) + L" could not be created: " + Reason(created.error) + notMade;
    return target;
  }
  WriterResult result = created.writer->add_time(fromTime, minutes);
  if (!result.ok) {
    target.message = Named(factory.ComponentName()) + L" failed in add_time: " + Reason(result.error) + notMade;
    return target;
  }
  target.toTime = std::move(result.value);
  return target;
}

}  // namespace tickvane
