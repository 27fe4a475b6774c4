#include "converter/progress_window_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/message_loop_win.h"
#include "converter/genvane_texts.h"

namespace tickvane::converter {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr UINT_PTR kTimer = 1;
constexpr ULONGLONG kShowAfterMs = 1000;
// A read that CancelSynchronousIo cannot cut short would keep the user waiting for ever.
constexpr ULONGLONG kGiveUpAfterMs = 3000;

}  // namespace

bool ProgressWindow::Create() {
  if (!RegisterClassOnce(kProgressWindowClass, ::LoadIconW(::GetModuleHandleW(nullptr), L"APPICON"))) return false;
  RECT r{0, 0, 360, 96};
  ::AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  HWND window = ::CreateWindowExW(0, kProgressWindowClass, L"Genvane - converting", kStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), this);
  if (!window) return false;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  bar_ = ::CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 16, 16, 328, 22, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressBarId)), instance, nullptr);
  ::SendMessageW(bar_, PBM_SETRANGE32, 0, 1000);
  cancel_ = ::CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 264,
                              54, 80, 26, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelButtonId)),
                              instance, nullptr);
  text_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 16, 46, 236, 36, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressTextId)), instance, nullptr);
  font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  ::SendMessageW(cancel_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ::SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return true;
}

JobOutcome ProgressWindow::RunUntilDone() {
  started_ = ::GetTickCount64();
  if (!Create()) {
    job_.Wait(INFINITE);
    return job_.Outcome();
  }
  ::SetTimer(Window(), kTimer, 50, nullptr);
  MSG message{};
  while (Window() && ::GetMessageW(&message, nullptr, 0, 0) > 0) DispatchWindowMessage(message);
  if (abandoned_) return JobOutcome::Cancelled;
  job_.Wait(INFINITE);
  // A Cancel that came after the new file was in place changes nothing: it is there.
  return job_.Outcome();
}

void ProgressWindow::OnTimer() {
  if (job_.Outcome() != JobOutcome::Running) {
    ::DestroyWindow(Window());
    return;
  }
  if (cancelled_ && ::GetTickCount64() - cancelledAt_ >= kGiveUpAfterMs) {
    job_.Abandon();
    abandoned_ = true;
    ::DestroyWindow(Window());
    return;
  }
  int progress = job_.Progress();
  if (progress < 0) {
    // The size of a pipe is not known: the bar only shows that work goes on.
    LONG_PTR style = ::GetWindowLongPtrW(bar_, GWL_STYLE);
    if (!(style & PBS_MARQUEE)) {
      ::SetWindowLongPtrW(bar_, GWL_STYLE, style | PBS_MARQUEE);
      ::SendMessageW(bar_, PBM_SETMARQUEE, TRUE, 30);
    }
  } else {
    ::SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(progress), 0);
  }
  ShowCounts();
  if (!::IsWindowVisible(Window()) && ::GetTickCount64() - started_ >= kShowAfterMs) {
    ::ShowWindow(Window(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Window());
    ::SetFocus(cancel_);
  }
}

void ProgressWindow::ShowCounts() {
  std::wstring digits = std::to_wstring(job_.TicksSoFar());
  std::wstring grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += L',';
    grouped += digits[i];
  }
  std::wstring text = grouped + (job_.TicksSoFar() == 1 ? L" tick" : L" ticks") + L" converted";
  const std::vector<std::wstring>& inputs = job_.Request().inputs;
  int current = job_.CurrentInput();
  if (current >= 0 && static_cast<size_t>(current) < inputs.size()) {
    const std::wstring& path = inputs[current];
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    int progress = job_.Progress();
    text += progress >= 0 ? L", " + std::to_wstring(progress / 10) + L"% read" : std::wstring();
    text += L"\r\nnow reading " + name;
    if (inputs.size() > 1) text += L" (file " + std::to_wstring(current + 1) + L" of " + std::to_wstring(inputs.size()) + L")";
  }
  if (text != shown_) {
    shown_ = text;
    ::SetWindowTextW(text_, text.c_str());
  }
}

void ProgressWindow::CancelJob() {
  if (cancelled_) return;
  cancelled_ = true;
  cancelledAt_ = ::GetTickCount64();
  job_.Cancel();
  ::EnableWindow(cancel_, FALSE);
}

LRESULT ProgressWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kTimer) OnTimer();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCancelButtonId && HIWORD(wParam) == BN_CLICKED) CancelJob();
      return 0;
    case WM_CLOSE:
      // Closing the window is a Cancel too; the window goes once the job has stopped.
      CancelJob();
      return 0;
    case WM_DESTROY:
      ::KillTimer(Window(), kTimer);
      return 0;
  }
  return ::DefWindowProcW(Window(), message, wParam, lParam);
}

}  // namespace tickvane::converter
