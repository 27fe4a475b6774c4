// The launcher window `Form1`: three choices, each confirmed, each starting the converter.
#pragma once

#include <windows.h>

#include <memory>

#include "common/base_window_win.h"
#include "common/control_set_win.h"
#include "common/focus_keeper_win.h"
#include "common/single_instance_win.h"
#include "launcher/launcher_layout.h"

namespace tickvane::launcher {

class Form1 : public BaseWindow<Form1> {
 public:
  explicit Form1(const SingleInstance& instance);

  // Creates the window and its controls at their design values, not yet shown.
  bool Create();
  // Refuses a second copy (the process ends here) and puts the window on top.
  void Form_Load();
  void Show();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class BaseWindow<Form1>;

  void Option_Click(const LauncherAction& action);
  void Label1_Click();
  void Form_Unload();

  void OnCommand(int id, int code);
  void StartConverter(const LauncherAction& action);

  const SingleInstance& instance_;
  std::unique_ptr<ControlSet> controls_;
  FocusKeeper focus_;
};

}  // namespace tickvane::launcher
