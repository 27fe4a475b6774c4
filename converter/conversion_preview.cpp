#include "converter/conversion_preview.h"

#include <algorithm>

#include "converter/tick_fields.h"

namespace tickvane::converter {
namespace {

constexpr size_t kSymbolsShown = 32;

std::vector<std::string> Lines(const std::string& records, size_t count) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < records.size() && lines.size() < count) {
    size_t end = records.find("\r\n", at);
    if (end == std::string::npos) end = records.size();
    lines.push_back(records.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// The symbols of the symbol column in the complete lines of the text, in the order first seen.
std::vector<std::string> SymbolsIn(std::string_view text, const Layout& layout) {
  std::vector<std::string> symbols;
  bool header = layout.header;
  size_t start = 0;
  while (symbols.size() < kSymbolsShown) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) break;
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    if (header) {
      header = false;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> fields = SplitFields(line, layout.columns.separator);
    if (layout.columns.symbol >= static_cast<int>(fields.size())) continue;
    std::string symbol(fields[layout.columns.symbol]);
    if (!symbol.empty() && std::find(symbols.begin(), symbols.end(), symbol) == symbols.end())
      symbols.push_back(symbol);
  }
  return symbols;
}

void Take(const TickConverter& c, bool ok, Preview& p) {
  p.detected = c.Detected();
  p.finding = c.Found();
  p.sourceZone = c.SourceZoneName();
  p.price = c.Price();
  p.failed = !ok;
  p.error = c.Error();
}

}  // namespace

Preview PreviewStart(std::string_view head, bool whole, const ConvertOptions& options, size_t count) {
  Preview p;
  std::string records;
  {
    TickConverter converter(options);
    bool ok = converter.Feed(head, records) && (!whole || converter.Finish(records));
    Take(converter, ok, p);
  }
  if (p.detected && !p.finding.scid && p.finding.layout.columns.symbol != ColumnMap::kNone) {
    // Read as bytes: no format with a symbol column comes in UTF-16.
    p.symbols = SymbolsIn(head, p.finding.layout);
    if (p.failed && options.symbol.empty() && p.symbols.size() > 1) {
      // A file of many symbols (Polygon's) is shown with its first one, which the user may change.
      ConvertOptions first = options;
      first.symbol = p.symbols[0];
      records.clear();
      TickConverter filtered(first);
      bool ok = filtered.Feed(head, records) && (!whole || filtered.Finish(records));
      Take(filtered, ok, p);
      p.chosenSymbol = p.symbols[0];
    }
  }
  p.records = Lines(records, count);
  return p;
}

}  // namespace tickvane::converter
