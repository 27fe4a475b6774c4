#include "component/chart_batch.h"

namespace tickvane::chart {

std::vector<std::string_view> SplitList(std::string_view list) {
  std::vector<std::string_view> out;
  for (;;) {
    const auto comma = list.find(',');
    out.push_back(list.substr(0, comma));
    if (comma == std::string_view::npos) return out;
    list.remove_prefix(comma + 1);
  }
}

std::variant<std::vector<BatchTick>, std::string> SplitBatch(std::string_view dateList,
                                                             std::string_view priceList,
                                                             std::string_view timeList) {
  const auto dates = SplitList(dateList), prices = SplitList(priceList), times = SplitList(timeList);
  if (dates.size() != prices.size() || dates.size() != times.size())
    return "the lists differ in length (" + std::to_string(dates.size()) + " dates, " +
           std::to_string(prices.size()) + " prices, " + std::to_string(times.size()) + " times)";
  std::vector<BatchTick> ticks;
  ticks.reserve(dates.size());
  for (std::size_t i = 0; i < dates.size(); ++i) {
    if (dates[i].empty() && prices[i].empty() && times[i].empty()) continue;
    ticks.push_back({dates[i], prices[i], times[i]});
  }
  return ticks;
}

}  // namespace tickvane::chart
