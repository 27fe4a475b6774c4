#include "common/control_set_win.h"

#include <cassert>

namespace tickvane {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox: return L"EDIT";
    case ControlKind::Label: return L"STATIC";
    default: return L"BUTTON";
  }
}

DWORD StyleOf(const ControlDesign& c, bool firstOption) {
  DWORD style = WS_CHILD;
  if (!c.hidden) style |= WS_VISIBLE;
  if (c.disabled) style |= WS_DISABLED;
  switch (c.kind) {
    case ControlKind::TextBox: style |= WS_TABSTOP | ES_AUTOHSCROLL | (c.centred ? ES_CENTER : ES_LEFT); break;
    case ControlKind::Label: style |= SS_NOPREFIX | (c.centred ? SS_CENTER : SS_LEFT); break;
    case ControlKind::Button: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case ControlKind::CheckBox: style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE; break;
    case ControlKind::OptionButton:
      style |= WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE | (firstOption ? WS_GROUP : 0);
      break;
  }
  return style;
}

}  // namespace

int WindowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 on; older systems have one DPI for everything.
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    if (UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  HDC screen = ::GetDC(nullptr);
  int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

SIZE OuterSizeForClient(DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips, int dpi) {
  RECT r{0, 0, TwipsToPixels(clientWidthTwips, dpi), TwipsToPixels(clientHeightTwips, dpi)};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND CreateDesignedWindow(const wchar_t* className, const WindowDesign& design, DWORD style, DWORD exStyle,
                          void* createParam) {
  SIZE size = OuterSizeForClient(style, exStyle, design.clientWidth, design.clientHeight, WindowDpi(nullptr));
  HWND window = ::CreateWindowExW(exStyle, className, design.caption, style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                                  size.cy, nullptr, nullptr, ::GetModuleHandleW(nullptr), createParam);
  if (!window) return nullptr;
  // Created at the system DPI; the monitor the window landed on may have another one.
  size = OuterSizeForClient(style, exStyle, design.clientWidth, design.clientHeight, WindowDpi(window));
  ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

ControlSet::ControlSet(HWND parent, const WindowDesign& design) : design_(design), dpi_(WindowDpi(parent)) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  bool optionSeen = false;
  for (const ControlDesign& c : design.controls) {
    bool firstOption = c.kind == ControlKind::OptionButton && !optionSeen;
    optionSeen = optionSeen || c.kind == ControlKind::OptionButton;
    DWORD exStyle = c.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
    HWND control = ::CreateWindowExW(
        exStyle, ClassOf(c.kind), c.text, StyleOf(c, firstOption), TwipsToPixels(c.left, dpi_),
        TwipsToPixels(c.top, dpi_), TwipsToPixels(c.width, dpi_), TwipsToPixels(c.height, dpi_), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    controls_.push_back(control);
  }
}

HWND ControlSet::operator[](std::wstring_view name) const {
  for (size_t i = 0; i < design_.controls.size(); ++i)
    if (name == design_.controls[i].name) return controls_[i];
  assert(!"no control of that name");
  return nullptr;
}

HWND ControlSet::ById(int id) const {
  for (size_t i = 0; i < design_.controls.size(); ++i)
    if (design_.controls[i].id == id) return controls_[i];
  return nullptr;
}

const ControlDesign* ControlSet::DesignOf(HWND control) const {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] == control) return &design_.controls[i];
  return nullptr;
}

HFONT ControlSet::FontFor(const FontDesign& font) {
  for (const Font& f : fonts_)
    if (f.design.points == font.points && f.design.weight == font.weight && f.design.italic == font.italic)
      return f.handle.get();
  HFONT handle = ::CreateFontW(-PointsToPixels(font.points, dpi_), 0, 0, 0, font.weight, font.italic, FALSE,
                               FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
  fonts_.push_back(Font{font, UniqueFont(handle)});
  return handle;
}

}  // namespace tickvane
