#include "converter/epf_header.h"

namespace tickvane::converter {

std::string EpfHeader(std::string_view sourcePath, std::string_view when) {
  std::string header = "Tickvane playback file, converted by Genvane on ";
  header += when;
  header += "\r\nConverted from ";
  // A line end inside the path would make a fourth header line, which the station would replay.
  for (char c : sourcePath) header += (c == '\r' || c == '\n') ? ' ' : c;
  header += "\r\nSymbol,Date,Time,Price,Volume\r\n";
  return header;
}

}  // namespace tickvane::converter
