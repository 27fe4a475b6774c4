// The station's main window `frmzavo`: the user's control panel and the station's DDE source.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/base_window_win.h"
#include "common/control_set_win.h"
#include "common/focus_keeper_win.h"
#include "common/single_instance_win.h"
#include "station/engine/chart_writer.h"
#include "station/engine/forward_commands.h"
#include "station/engine/replay_status.h"
#include "station/engine/replay_window.h"
#include "station/engine/station_state.h"
#include "station/window/dde_server_win.h"
#include "station/platform/taskbar_progress_win.h"
#include "station/window/layout.h"

namespace tickvane {

class Chooser;

class Frmzavo : public BaseWindow<Frmzavo>,
                private DdeItemSource,
                private ReplayWindow,
                private ForwardCommandWindow {
 public:
  explicit Frmzavo(const SingleInstance& instance);
  ~Frmzavo() override;

  // Creates the window and its controls at their design values, not yet shown.
  bool Create();
  // Start-up: refuses a second copy, sets the start values, reads the command line, sets the DDE
  // topic and decides the mode. "esignal" ends the process here.
  void Form_Load();
  // Shows the window, not modal (if it is already visible this only keeps it so).
  void Show();
  // Whether start-up left the window to be shown now (not in "sierra" mode, where the chooser
  // shows it after a pick).
  bool ShowsAfterLoad() const { return showsAfterLoad_; }

  // The chooser's way in: the picked chart file's name becomes the caption of `vqfilename`.
  void SetVqFilename(std::wstring_view name);
  // Closes the window as part of closing the chooser; the process then ends.
  void Unload();

  // Station state: plain fields, read and written directly by the handlers and by the replay.
  StationState station;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class BaseWindow<Frmzavo>;

  // Control events.
  void cbStartFastSend_Click();
  void cmdPause_Click();
  void cmdexit_Click();
  void more_Click();
  void help_Click();
  void status_Click();
  void Forward_Click();
  void for_mins_Click();
  void Timer1_Timer();
  void CheckSpeed() override;

  void OnCommand(int id, int code, HWND control);
  HBRUSH OnControlColour(HDC dc, HWND control);
  void StartDdeService();
  void CreateTooltip();

  std::optional<std::wstring> ItemText(std::wstring_view item) const override;
  // A control of the window that is a DDE item keeps that name for itself.
  static bool IsControlItem(std::wstring_view item);

  // What the replay reaches of the window.
  void SetLastText(std::string_view tickPrice) override;
  void SetTimeText(std::string_view maskedTime) override;
  std::wstring SpeedText() override;
  void SetSpeedText(std::wstring_view text) override;
  std::wstring ChartFileName() override;
  void SetButtonEnabled(ReplayButton button, bool enabled) override;
  void ShowNotice(std::wstring_view text) override;
  double NowMs() override;
  void WaitAfterRecordUntil(double dueMs) override;
  std::uint64_t MessageBoxesOpened() override { return messageBoxes_; }
  void ShowStatus(const ReplayStatus& status) override;
  void Wait(std::uint32_t ms) override;
  void ProcessEvents() override;
  bool Closed() override;

  // What the forward commands reach of the window (the buttons and notices are shared with the
  // replay's view above).
  std::wstring BoxText(ForwardBox box) override;
  void SetBoxText(ForwardBox box, std::wstring_view text) override;

  // From the handles kept at creation: GetDlgItem would list the window's children, which under
  // Wine is a round trip to its server, several times for every replayed record. None once the
  // window is gone.
  HWND Control(MainControlId id) const { return Control(ControlId(id)); }
  HWND Control(int id) const { return Window() && controls_ ? controls_->ById(id) : nullptr; }
  std::wstring Text(MainControlId id) const;
  void SetText(MainControlId id, std::wstring_view text);

  const SingleInstance& instance_;
  std::unique_ptr<ControlSet> controls_;
  std::unique_ptr<DdeServer> dde_;
  std::unique_ptr<Chooser> chooser_;
  std::unique_ptr<ChartWriterFactory> writerFactory_;
  HWND tooltip_ = nullptr;  // owned by this window: destroyed with it
  FocusKeeper focus_;
  bool showsAfterLoad_ = true;
  bool speedMessageOpen_ = false;
  bool quitSeen_ = false;  // WM_QUIT arrived while the replay was handling events
  std::uint64_t messageBoxes_ = 0;  // every message box the window has opened
  // Where the replay stands, for the status items.
  ReplayStatus replayStatus_;
  std::unique_ptr<TaskbarProgress> taskbar_;
};

}  // namespace tickvane
