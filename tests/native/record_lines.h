// The lines of a playback file's text, as the converter writes them (CR LF after each).
#pragma once

#include <string>
#include <vector>

namespace tickvane::test {

// One string a line, without its line end.
inline std::vector<std::string> RecordLines(const std::string& records) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < records.size()) {
    size_t end = records.find("\r\n", at);
    if (end == std::string::npos) end = records.size();
    lines.push_back(records.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace tickvane::test
