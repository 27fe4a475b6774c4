// The window that shows a long conversion's progress and takes its Cancel.
#pragma once

#include <windows.h>

#include <string>

#include "common/base_window_win.h"
#include "converter/conversion_job_win.h"

namespace tickvane::converter {

class ProgressWindow : public BaseWindow<ProgressWindow> {
 public:
  explicit ProgressWindow(ConversionJob& job) : job_(job) {}

  // Runs until the job has ended: a short job ends before the window would show, a long one
  // shows the window after about a second. Returns how the job ended.
  JobOutcome RunUntilDone();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class BaseWindow<ProgressWindow>;
  bool Create();
  void OnTimer();
  void CancelJob();
  void ShowCounts();

  ConversionJob& job_;
  HWND bar_ = nullptr;     // child of the window
  HWND cancel_ = nullptr;  // child of the window
  HWND text_ = nullptr;    // child of the window
  std::wstring shown_;     // what text_ says
  HFONT font_ = nullptr;   // the system's, not ours to delete
  ULONGLONG started_ = 0;
  ULONGLONG cancelledAt_ = 0;
  bool cancelled_ = false;
  bool abandoned_ = false;
};

}  // namespace tickvane::converter
