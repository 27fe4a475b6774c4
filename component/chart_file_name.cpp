#include "component/chart_file_name.h"

#include <array>
#include <cctype>

namespace tickvane::chart {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsDeviceName(std::string_view name) {
  // Windows maps these to devices whatever extension follows them.
  std::string stem = Lower(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static const std::array<const char*, 6> plain = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (const char* d : plain)
    if (stem == d) return true;
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) && stem[3] >= '0' &&
         stem[3] <= '9';
}

}  // namespace

std::optional<std::string> ChartFileNameProblem(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name.size() > 200) return "the name is longer than 200 characters";
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return "the name holds a control character";
    if (c == '\\' || c == '/') return "the name holds a path separator";
    if (c == ':') return "the name holds a colon (a drive or a stream)";
    if (c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"')
      return std::string("the name holds the character ") + static_cast<char>(c);
  }
  if (name.find("..") != std::string_view::npos) return "the name holds \"..\"";
  if (name.front() == ' ' || name.back() == ' ' || name.back() == '.')
    return "the name begins or ends with a blank or ends with a dot";
  if (IsDeviceName(name)) return "the name is a device name";
  const std::string lower = Lower(name);
  for (const char* ext : {".exe", ".dll", ".epf"})
    if (lower.ends_with(ext)) return std::string("the name ends in ") + ext;
  return std::nullopt;
}

}  // namespace tickvane::chart
