// The chart-file chooser `filename`: five fixed chart file names, one of which the user picks
// before a "sierra" replay.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "common/base_window_win.h"
#include "common/control_set_win.h"
#include "station/window/layout.h"

namespace tickvane {

class Frmzavo;

class Chooser : public BaseWindow<Chooser> {
 public:
  explicit Chooser(Frmzavo& main);
  ~Chooser();

  // Creates the window, centred on the screen, not yet shown.
  bool Load();
  void Show();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void vqfile_Click();
  void IBM_Click();
  void msft_Click();
  void dji_Click();
  void indu_Click();
  void why_Click();
  void Form_Unload();

  void Pick(ChooserControlId checkBox);
  void OnCommand(int id, int code);

  Frmzavo& main_;
  std::unique_ptr<ControlSet> controls_;
};

}  // namespace tickvane
