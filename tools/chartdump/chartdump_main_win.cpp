// chartdump [--zone ZONE | --utc] FILE: prints a chart file's header and its records, one per line
// ("20131008 133003 182.50 1": date and time in UTC, price, volume). With a zone, or with the
// user's RecordingTimeZone setting when neither option is given, each line also shows the record's
// date and time in that zone. Exit 0, 1 for a file that cannot be opened, 2 for one that is no
// chart file or ends inside a record, 64 for a wrong command line or an unknown zone.
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "common/time_zone_registry_win.h"
#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "component/chart_dump.h"

namespace {

constexpr char kUsage[] =
    "usage: chartdump [--zone ZONE | --utc] FILE\n"
    "  Times in the file are UTC. --zone shows them in a Windows time zone too (such as\n"
    "  \"Eastern Standard Time\"); without it, the RecordingTimeZone setting of Tickvane is used\n"
    "  when there is one. --utc shows UTC alone.\n";

int Usage() {
  std::cerr << kUsage;
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string> zoneName;
  bool utcOnly = false;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--zone" && i + 1 < argc) {
      zoneName = argv[++i];
    } else if (word == "--utc") {
      utcOnly = true;
    } else if (word == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (!file && !word.starts_with("--")) {
      file = argv[i];
    } else {
      return Usage();
    }
  }
  if (!file || (utcOnly && zoneName)) return Usage();

  std::optional<tickvane::ZoneRules> zone;
  if (zoneName) {
    zone = tickvane::LoadTimeZone(tickvane::FromAnsi(*zoneName));
    if (!zone) {
      std::cerr << "chartdump: \"" << *zoneName << "\" is no time zone of this system\n";
      return 64;
    }
  } else if (!utcOnly) {
    const std::wstring setting = tickvane::ReadUserSettings().recordingTimeZone;
    if (!setting.empty()) {
      zone = tickvane::LoadTimeZone(setting);
      if (!zone)
        std::cerr << "chartdump: the RecordingTimeZone setting \"" << tickvane::ToAnsi(setting)
                  << "\" is no time zone of this system; times are shown in UTC alone\n";
    }
  }

  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "chartdump: cannot open " << file << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  return tickvane::chart::DumpChart(in, std::cout, std::cerr, file, zone ? &*zone : nullptr);
}
