#include "converter/epf_header.h"

namespace tickvane::converter {
namespace {

// A line end inside a text would make a fourth header line, which the station would replay.
void AppendOneLine(std::string& to, std::string_view text) {
  for (char c : text) to += (c == '\r' || c == '\n') ? ' ' : c;
}

}  // namespace

std::string EpfHeader(std::string_view sourcePath, std::string_view when) { return EpfHeader(sourcePath, when, {}); }

std::string EpfHeader(std::string_view sourcePath, std::string_view when, std::string_view conversion) {
  std::string header = "Tickvane playback file, converted by Genvane on ";
  AppendOneLine(header, when);
  if (!conversion.empty()) {
    header += ": ";
    AppendOneLine(header, conversion);
  }
  header += "\r\nConverted from ";
  AppendOneLine(header, sourcePath);
  header += "\r\nSymbol,Date,Time,Price,Volume\r\n";
  return header;
}

}  // namespace tickvane::converter
