// The least a DDE price source has to do per record on this platform, as a yardstick for the
// station: a small window of its own with two edit boxes `last` and `time` whose texts are DDE
// items with hot links (DdeServer), set for every record, with the pending messages processed
// after each record. No file reading, no speed box, no pacing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/base_window_win.h"
#include "station/window/dde_server_win.h"

namespace tickvane::bench {

class FloorWindow : public BaseWindow<FloorWindow>, private DdeItemSource {
 public:
  FloorWindow() = default;
  ~FloorWindow() override;
  FloorWindow(const FloorWindow&) = delete;
  FloorWindow& operator=(const FloorWindow&) = delete;

  // Shows the window and registers the DDE service. On failure returns false with the reason.
  bool Create(const std::wstring& service, std::wstring* error);

  // Sets the two texts of `records` records (prices as the playback files carry them, the same
  // time for all) and processes the pending messages after each; returns the seconds it took.
  double Replay(std::uint64_t records, std::wstring_view maskedTime);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  std::optional<std::wstring> ItemText(std::wstring_view item) const override;
  void PumpPending();

  HWND last_ = nullptr;  // children of the window, destroyed with it
  HWND time_ = nullptr;
  std::unique_ptr<DdeServer> server_;
};

}  // namespace tickvane::bench
