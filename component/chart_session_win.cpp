#include "component/chart_session_win.h"

#include <variant>
#include <vector>

#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "component/chart_batch.h"
#include "component/chart_file_win.h"
#include "component/chart_format.h"

namespace tickvane::zavovq {
namespace {

Outcome FromFile(const FileOutcome& file, const ChartTarget& target) {
  if (file.ok) return {file.records, {}, S_OK};
  std::wstring error = file.error;
  // A folder the user set up is the first thing to look at when its file cannot be written.
  if (!target.folderSetting.empty())
    error += L" The chart folder is the setting " + std::wstring(kChartFolderSetting) + L" (" + kSettingsKeyFull +
             L"): \"" + target.folderSetting + L"\".";
  return Failed(std::move(error), file.code);
}

// The records of the ticks that a chart can place, in the order given.
std::string RecordBytes(const std::vector<chart::BatchTick>& ticks, const ChartTarget& target) {
  const ZoneRules* zone = target.recordingZone ? &*target.recordingZone : nullptr;
  std::string bytes;
  bytes.reserve(ticks.size() * chart::kRecordSize);
  for (const auto& t : ticks)
    if (auto record = chart::TradeRecord(t.date, t.price, t.time, zone)) chart::AppendRecord(bytes, *record);
  return bytes;
}

}  // namespace

Outcome ChartSession::WritingHeader(const std::wstring& chartFileName) {
  target_.reset();
  if (Outcome refused = Resolve(chartFileName); !refused.error.empty()) return refused;
  return FromFile(StartChartFile(target_->path), *target_);
}

Outcome ChartSession::WritingData(const std::string& date, const std::string& price, const std::string& time,
                                  const std::wstring& chartFileName) {
  if (Outcome refused = Resolve(chartFileName); !refused.error.empty()) return refused;
  return FromFile(AppendToChartFile(target_->path, RecordBytes({{date, price, time}}, *target_)), *target_);
}

Outcome ChartSession::WritingDataForward(const std::string& dates, const std::string& prices,
                                         const std::string& times, const std::wstring& chartFileName) {
  if (Outcome refused = Resolve(chartFileName); !refused.error.empty()) return refused;
  auto batch = chart::SplitBatch(dates, prices, times);
  if (auto* problem = std::get_if<std::string>(&batch))
    return Failed(L"The batch is refused and nothing is written: " + FromUtf8(*problem) + L".", E_INVALIDARG);
  const auto& ticks = std::get<std::vector<chart::BatchTick>>(batch);
  return FromFile(AppendToChartFile(target_->path, RecordBytes(ticks, *target_)), *target_);
}

Outcome ChartSession::Resolve(const std::wstring& chartFileName) {
  if (target_ && chartFileName == targetName_) return {};
  target_.reset();
  TargetOutcome resolved = ResolveChartTarget(chartFileName);
  if (!resolved.target) return Failed(std::move(resolved.error), resolved.code);
  target_ = std::move(resolved.target);
  targetName_ = chartFileName;
  return {};
}

}  // namespace tickvane::zavovq
