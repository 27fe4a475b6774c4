// The batches of writing_data_forward: three comma-joined lists, one element per record.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tickvane::chart {

struct BatchTick {
  std::string_view date, price, time;
};

// The ticks of a batch, in list order. The lists must have the same number of elements; a position
// where all three elements are empty (the station's lists begin with one) is not a tick.
// On lists of different lengths the answer is the reason, and no tick is taken.
std::variant<std::vector<BatchTick>, std::string> SplitBatch(std::string_view dateList,
                                                             std::string_view priceList,
                                                             std::string_view timeList);

// Elements of one list, split at every ",": "" gives one empty element, ",a" gives "" and "a".
std::vector<std::string_view> SplitList(std::string_view list);

}  // namespace tickvane::chart
