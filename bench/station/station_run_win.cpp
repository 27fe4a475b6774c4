#include "bench/station/station_run_win.h"

#include <cstdint>
#include <cstdio>

#include "common/window_design.h"
#include "station/window/layout.h"
#include "station/engine/station_texts.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::bench {

namespace {
constexpr wchar_t kClosing[] = L"This playback session has been done. Happy trading!";
}

StationRun::StationRun(std::wstring_view label) : folder_(label) {
  program_ = folder_.CopyProgram(L"Tickvane.exe");
}

StationRun::~StationRun() { Stop(); }

bool StationRun::Start(std::wstring_view mode, std::wstring* error) {
  if (::GetFileAttributesW(program_.c_str()) == INVALID_FILE_ATTRIBUTES) {
    *error = L"Tickvane.exe is not next to the benchmark: " + program_;
    return false;
  }
  process_ = test::Process::Start(program_, std::wstring(mode), folder_.Path());
  if (!process_.Started()) {
    *error = L"could not start " + program_;
    return false;
  }
  if (mode == L"sierra") {
    std::optional<test::MessageBoxView> notice = test::WaitForMessageBox(process_.Id(), 60000);
    if (!notice) {
      *error = L"the station's start-up notice did not show within a minute";
      return false;
    }
    test::Answer(*notice, IDOK);
    HWND chooser = nullptr;
    if (!test::WaitUntil([&] { return (chooser = test::FindTopLevel(process_.Id(), kChooserWindowClass, true)) != nullptr; },
                         60000)) {
      *error = L"the chart-file chooser did not show within a minute";
      return false;
    }
    test::Click(::GetDlgItem(chooser, FindControl(ChooserWindowDesign(), L"IBM")->id));
  }
  const bool shown = test::WaitUntil([&] {
    main_ = test::FindTopLevel(process_.Id(), kMainWindowClass, true);
    return main_ != nullptr;
  }, 60000);
  if (!shown) *error = L"the station's main window did not show within a minute";
  return shown;
}

bool StationRun::WritePlaybackFile(std::string_view bytes) const {
  folder_.WriteFile(L"practice.EPF", bytes);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ::GetFileAttributesExW(PlaybackFilePath().c_str(), GetFileExInfoStandard, &data) &&
         ((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) == bytes.size();
}

HWND StationRun::Control(std::wstring_view name) const {
  const ControlDesign* design = FindControl(MainWindowDesign(), name);
  return design ? ::GetDlgItem(main_, design->id) : nullptr;
}

void StationRun::SetSpeed(std::wstring_view text) const { test::SetTextOf(Control(L"speed"), text); }

void StationRun::SetText(std::wstring_view control, std::wstring_view text) const {
  test::SetTextOf(Control(control), text);
}

void StationRun::Click(std::wstring_view control) const { test::Click(Control(control)); }

void StationRun::ClickStart() const { test::Click(Control(L"cbStartFastSend")); }

bool StationRun::ClosingShown() const {
  auto box = test::FindMessageBox(process_.Id());
  return box && box->text == kClosing;
}

void StationRun::Stop() { process_.Kill(); }

void PrintPlatformNote() {
  using WineVersion = const char*(__cdecl*)();
  auto version = reinterpret_cast<WineVersion>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
  if (version) {
    std::printf("Running under Wine %s: DDE, window messages, timers and working sets are Wine's and the\n"
                "X server's, not Windows'; figures on Windows differ.\n\n", version());
  } else {
    std::printf("Running on Windows.\n\n");
  }
  std::fflush(stdout);
}

double Now() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace tickvane::bench
