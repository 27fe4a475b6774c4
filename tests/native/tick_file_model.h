// A plain, whole-text model of the tick-file rules, to check the streaming reader against.
// It holds everything in memory and knows no cap, so it is only fed small texts.
#pragma once

#include "station/engine/tick_file_reader.h"

#include <ostream>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

namespace tickvane::model {

// A record's texts kept beyond the reader's next line, as the model and the tests hold them.
struct KeptRecord {
  std::string tickDate;
  std::string tickTime;
  std::string tickPrice;

  KeptRecord() = default;
  KeptRecord(std::string date, std::string time, std::string price)
      : tickDate(std::move(date)), tickTime(std::move(time)), tickPrice(std::move(price)) {}
  explicit KeptRecord(const TickRecord& r) : tickDate(r.tickDate), tickTime(r.tickTime), tickPrice(r.tickPrice) {}

  friend bool operator==(const KeptRecord&, const KeptRecord&) = default;
  friend std::ostream& operator<<(std::ostream& out, const KeptRecord& r) {
    return out << '{' << r.tickDate << '|' << r.tickTime << '|' << r.tickPrice << '}';
  }
};

struct Line {
  LineKind kind;
  KeptRecord record;
  bool endsReplay;

  friend bool operator==(const Line&, const Line&) = default;
};

inline std::string TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string();
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

inline std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t cr = bytes.find('\r', start);
    if (cr == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, cr - start));
    start = cr + 1;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

inline std::vector<Line> ReadAll(std::string_view bytes) {
  std::vector<Line> result;
  const std::vector<std::string_view> lines = SplitLines(bytes);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i < 3) {
      result.push_back({LineKind::Header, {}, false});
      continue;
    }
    std::vector<std::string_view> fields;
    std::string_view rest = lines[i];
    for (;;) {
      const std::size_t comma = rest.find(',');
      fields.push_back(rest.substr(0, comma));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    const bool ends = !lines[i].empty() && lines[i][0] == '[';
    if (fields.size() < 4) {
      result.push_back({LineKind::ShortRecord, {}, ends});
    } else {
      result.push_back({LineKind::Record,
                        {TrimSpaces(fields[1]), TrimSpaces(fields[2]), TrimSpaces(fields[3])},
                        ends});
    }
  }
  return result;
}

}  // namespace tickvane::model
