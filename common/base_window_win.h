// One window procedure for every window class of ours: it finds the C++ object at WM_NCCREATE
// and hands each message to its HandleMessage member.
#pragma once

#include <windows.h>

namespace tickvane {

template <typename Derived>
class BaseWindow {
 public:
  HWND Window() const { return window_; }

 protected:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      self = static_cast<Derived*>(create->lpCreateParams);
      self->window_ = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
    }
    return result;
  }

  static bool RegisterClassOnce(const wchar_t* className, HICON icon = nullptr) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &wc)) return true;
    wc.lpfnWndProc = &BaseWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    wc.hIcon = icon;
    return ::RegisterClassExW(&wc) != 0;
  }

  HWND window_ = nullptr;
};

}  // namespace tickvane
