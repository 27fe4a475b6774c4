#include "tools/ddewatch/ddewatch_options.h"

#include <limits>

namespace tickvane {
namespace {

constexpr std::wstring_view kUsage =
    L"Usage: ddewatch [--service S] [--topic T] [--once] [--timestamps] [--wait MS] [--count N]\n"
    L"                [--headroom] ITEM...\n"
    L"\n"
    L"Prints the current value of each DDE item, one line each in the order given, as\n"
    L"ITEM<TAB>VALUE. Then links to every item (hot advise links, one conversation) and\n"
    L"prints one such line per update as it arrives, until the server ends the\n"
    L"conversation, ddewatch is interrupted (Ctrl+C, console closed) or N updates are printed.\n"
    L"\n"
    L"  --service S    DDE service name (default Tickvane)\n"
    L"  --topic T      DDE topic (default playback)\n"
    L"  --once         print the current values and exit without linking\n"
    L"  --timestamps   begin each line with the milliseconds since ddewatch started and a TAB\n"
    L"  --wait MS      keep trying to connect for up to MS milliseconds (default: one try)\n"
    L"  --count N      exit after N updates (the current values do not count)\n"
    L"  --headroom     print to stderr, once the links stand and again at the end, how many\n"
    L"                 more movable memory blocks ddewatch could allocate: a check that it\n"
    L"                 frees what it receives (under Wine a process has 65,536 of them)\n"
    L"  --help         show this text\n"
    L"\n"
    L"Values are printed as the server sends them (CF_TEXT, the system code page), without\n"
    L"the trailing NUL. A carriage return or line feed inside a value is written as the two\n"
    L"characters \\r or \\n, so that one value stays on one line; other characters, the\n"
    L"backslash included, are written unchanged.\n"
    L"\n"
    L"The station's items: last and time (the replayed price and its time), every other box\n"
    L"and label of its window by the control's name (speed, tick, for_min, vqfilename, ...),\n"
    L"and where the replay stands: date (of the record on display), record (record lines\n"
    L"read), progress (percent of the file read, 0.0 to 100.0), lag (milliseconds the record\n"
    L"on display came late) and state (idle, running, paused, waiting for speed, forwarding,\n"
    L"finished). Example: ddewatch last time state progress\n"
    L"\n"
    L"Exit codes:\n"
    L"  0  done: --once, --count reached, the server ended the conversation, or interrupted\n"
    L"  1  bad usage\n"
    L"  2  cannot connect, or the conversation broke before the current values were read\n"
    L"  3  the server refused an item: each refused item is named on stderr, the current\n"
    L"     values of the other items are still printed, and ddewatch exits without linking\n";

template <typename T>
bool ParseNumber(std::wstring_view text, T max, T* out) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    uint64_t digit = static_cast<uint64_t>(c - L'0');
    if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) return false;
    value = value * 10 + digit;
  }
  if (value > static_cast<uint64_t>(max)) return false;
  *out = static_cast<T>(value);
  return true;
}

}  // namespace

std::optional<WatchOptions> ParseWatchArguments(const std::vector<std::wstring>& args, std::wstring* error) {
  auto fail = [error](std::wstring text) -> std::optional<WatchOptions> {
    if (error != nullptr) *error = std::move(text);
    return std::nullopt;
  };
  WatchOptions options;
  bool onlyItems = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::wstring_view arg = args[i];
    if (onlyItems || arg.size() < 2 || arg.substr(0, 2) != L"--") {
      if (arg.empty()) return fail(L"an item name cannot be empty");
      options.items.emplace_back(arg);
      continue;
    }
    if (arg == L"--") {
      onlyItems = true;
      continue;
    }
    std::wstring_view name = arg;
    std::optional<std::wstring_view> inlineValue;
    if (size_t eq = arg.find(L'='); eq != std::wstring_view::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    auto value = [&]() -> std::optional<std::wstring_view> {
      if (inlineValue) return inlineValue;
      if (i + 1 >= args.size()) return std::nullopt;
      return std::wstring_view(args[++i]);
    };
    auto flag = [&](bool* target) {
      if (inlineValue) return false;
      *target = true;
      return true;
    };
    if (name == L"--once") {
      if (!flag(&options.once)) return fail(L"--once takes no value");
    } else if (name == L"--timestamps") {
      if (!flag(&options.timestamps)) return fail(L"--timestamps takes no value");
    } else if (name == L"--headroom") {
      if (!flag(&options.headroom)) return fail(L"--headroom takes no value");
    } else if (name == L"--help") {
      if (!flag(&options.help)) return fail(L"--help takes no value");
    } else if (name == L"--service" || name == L"--topic") {
      std::optional<std::wstring_view> v = value();
      if (!v || v->empty()) return fail(std::wstring(name) + L" needs a name");
      (name == L"--service" ? options.service : options.topic) = std::wstring(*v);
    } else if (name == L"--wait") {
      std::optional<std::wstring_view> v = value();
      // INFINITE (0xFFFFFFFF) is not a number of milliseconds.
      if (!v || !ParseNumber<uint32_t>(*v, 0xFFFFFFFEu, &options.waitMs))
        return fail(L"--wait needs a number of milliseconds");
    } else if (name == L"--count") {
      std::optional<std::wstring_view> v = value();
      uint64_t n = 0;
      if (!v || !ParseNumber<uint64_t>(*v, std::numeric_limits<uint64_t>::max(), &n) || n == 0)
        return fail(L"--count needs a number of updates, 1 or more");
      options.count = n;
    } else {
      return fail(L"unknown option " + std::wstring(name));
    }
  }
  if (options.help) return options;
  if (options.items.empty()) return fail(L"name at least one item");
  if (options.once && options.count) return fail(L"--once and --count exclude each other");
  return options;
}

std::string EscapeLineBreaks(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::wstring_view WatchUsage() { return kUsage; }

}  // namespace tickvane
