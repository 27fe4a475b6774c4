#include "converter/console_options.h"

namespace tickvane::converter {
namespace {

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
  return s;
}

}  // namespace

bool ParseConsoleArguments(const std::vector<std::wstring>& arguments, ConsoleOptions& options, std::wstring* problem) {
  ConsoleOptions o;
  bool outGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::wstring a = arguments[i];
    if (a == L"--help" || a == L"-h" || a == L"/?") {
      o.help = true;
      continue;
    }
    if (a.size() < 2 || a.compare(0, 2, L"--") != 0 || a == L"--") {
      if (a == L"--") {
        for (++i; i < arguments.size(); ++i) o.sources.push_back(arguments[i]);
        break;
      }
      o.sources.push_back(a);
      continue;
    }
    std::wstring value;
    bool hasValue = false;
    size_t equals = a.find(L'=');
    if (equals != std::wstring::npos) {
      value = a.substr(equals + 1);
      a = a.substr(0, equals);
      hasValue = true;
    }
    const bool known = a == L"--out" || a == L"--source-zone" || a == L"--zone" || a == L"--price" || a == L"--symbol";
    if (!known) {
      *problem = L"the option " + a + L" is not one of tickconvert's";
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= arguments.size()) {
        *problem = L"the option " + a + L" needs a value";
        return false;
      }
      value = arguments[++i];
    }
    if (a == L"--out") {
      o.out = value;
      outGiven = true;
    } else if (a == L"--source-zone") {
      o.sourceZone = value;
    } else if (a == L"--zone") {
      o.zone = value;
    } else if (a == L"--price") {
      o.price = ParsePriceKind(Narrow(value));
      if (!o.price) {
        *problem = L"the price " + value + L" is not one of last, bid, ask and mid";
        return false;
      }
    } else {
      o.symbol = value;
    }
  }
  if (!o.help) {
    if (o.sources.empty()) {
      *problem = L"no tick file is given";
      return false;
    }
    if (!outGiven || o.out.empty()) {
      *problem = L"no playback file is given (--out FILE)";
      return false;
    }
  }
  options = o;
  return true;
}

std::wstring ConsoleUsage() {
  return L"Usage: tickconvert SOURCE... --out FILE [--source-zone ZONE] [--zone ZONE|none]\n"
         L"                   [--price last|bid|ask|mid] [--symbol NAME]\n"
         L"\n"
         L"Converts recorded ticks into a playback file (practice.EPF) for the Tickvane station.\n"
         L"Several sources become one file in time order; sources that overlap in time are refused.\n"
         L"\n"
         L"  --out FILE          the playback file to write (kept as it was when the conversion fails)\n"
         L"  --source-zone ZONE  the zone the sources' times are in (default: each format's own)\n"
         L"  --zone ZONE         the zone to write the times in (default: RecordingTimeZone of the\n"
         L"                      Tickvane settings; none: the sources' times as they are)\n"
         L"  --price KIND        last (trades), or bid, ask or mid of quotes (default: last, or bid\n"
         L"                      for files of quotes alone)\n"
         L"  --symbol NAME       the symbol to keep of a file with several, or to give the records\n"
         L"\n"
         L"A zone is a Windows time-zone key name (\"Eastern Standard Time\") or a fixed offset\n"
         L"(UTC, UTC-05:00, UTC+02:00).\n"
         L"Exit code: 0 done, 2 bad input or command line (the file, line and problem are printed),\n"
         L"1 a file that cannot be read or written.\n";
}

}  // namespace tickvane::converter
