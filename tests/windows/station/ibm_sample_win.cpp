#include "tests/windows/station/ibm_sample_win.h"

#include <cstdio>

#include "tests/windows/support/programs_win.h"

namespace tickvane::test {

std::vector<Tick> IbmSample() {
  std::vector<Tick> ticks;
  // The programs lie in <build>/bin, the build folder directly in the source tree or one below it.
  FILE* f = nullptr;
  for (const wchar_t* up : {L"\\..\\..", L"\\..\\..\\.."}) {
    std::wstring sample =
        ProgramsDirectory() + up + L"\\data\\real-ticks\\ibm-us-equity-trades-20131007-20131008.csv";
    if ((f = _wfopen(sample.c_str(), L"rb")) != nullptr) break;
  }
  if (!f) return ticks;
  char line[256];
  bool header = true;
  while (fgets(line, sizeof line, f)) {
    if (header) {
      header = false;
      continue;
    }
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    size_t a = s.find(','), b = s.find(',', a + 1);
    ticks.push_back({s.substr(0, a), s.substr(a + 1, b - a - 1), s.substr(b + 1)});
  }
  fclose(f);
  return ticks;
}

std::string PlaybackFile(const std::vector<Tick>& ticks) {
  std::string text = "header one\r\nheader,two\r\n[header three\r\n";
  for (const Tick& t : ticks) text += "IBM," + t.date + "," + t.time + "," + t.price + ",100\r\n";
  return text;
}

}  // namespace tickvane::test
