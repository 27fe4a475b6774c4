#include "station/window/frmzavo_win.h"

#include <commctrl.h>

#include <utility>

#include "common/message_box_win.h"
#include "common/win_text_win.h"
#include "station/window/chooser_win.h"
#include "station/window/layout.h"
#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

constexpr const wchar_t* kClassName = kMainWindowClass;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

}  // namespace

Frmzavo::Frmzavo(const SingleInstance& instance) : instance_(instance) {}

Frmzavo::~Frmzavo() = default;

bool Frmzavo::Create() {
  if (!RegisterClassOnce(kClassName, ::LoadIconW(::GetModuleHandleW(nullptr), L"APPICON"))) return false;
  const WindowDesign& design = MainWindowDesign();
  HWND window = CreateDesignedWindow(kClassName, design, kStyle, kExStyle, this);
  if (!window) return false;
  controls_ = std::make_unique<ControlSet>(window, design);
  taskbar_ = std::make_unique<TaskbarProgress>(window);
  // Timer1 is enabled at design time, so the speed check already runs while start-up messages
  // are open; start-up switches it on once more at its end.
  ::SetTimer(window, 1, 1, nullptr);
  return true;
}

void Frmzavo::CreateTooltip() {
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  TOOLINFOW tool{};
  // The version 5 size, which every comctl32 accepts; the larger one fails without a manifest.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Window();
  tool.uId = reinterpret_cast<UINT_PTR>(Control(MainControlId::cmdPause));
  tool.lpszText = const_cast<wchar_t*>(kPauseTooltip);
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Frmzavo::Show() {
  bool wasVisible = ::IsWindowVisible(Window());
  ::ShowWindow(Window(), SW_SHOWNORMAL);
  if (!wasVisible) {
    ::SetForegroundWindow(Window());
    ::SetFocus(Control(MainControlId::last));
  }
}

void Frmzavo::SetVqFilename(std::wstring_view name) { SetText(MainControlId::vqfilename, name); }

void Frmzavo::Unload() {
  if (Window()) ::DestroyWindow(Window());
}

std::wstring Frmzavo::Text(MainControlId id) const { return WindowText(Control(id)); }

void Frmzavo::SetText(MainControlId id, std::wstring_view text) {
  ::SetWindowTextW(Control(id), std::wstring(text).c_str());
  // Edit boxes report their changes themselves (EN_CHANGE); labels do not.
  const ControlDesign* design = FindControlById(MainWindowDesign(), ControlId(id));
  if (design && design->kind == ControlKind::Label && dde_) dde_->ItemChanged(design->name);
}

bool Frmzavo::IsControlItem(std::wstring_view item) {
  const ControlDesign* design = FindControlNoCase(MainWindowDesign(), item);
  return design && IsDdeItem(*design);
}

std::optional<std::wstring> Frmzavo::ItemText(std::wstring_view item) const {
  const ControlDesign* design = FindControlNoCase(MainWindowDesign(), item);
  if (design && IsDdeItem(*design)) return WindowText(Control(design->id));
  // The names that are no control's: where the replay stands.
  if (std::optional<std::string> status = StatusItemText(replayStatus_, item)) return FromAnsi(*status);
  return std::nullopt;
}

void Frmzavo::ShowStatus(const ReplayStatus& status) {
  const ReplayStatus before = std::exchange(replayStatus_, status);
  if (taskbar_) taskbar_->Show(status);
  if (!dde_) return;
  // Made and posted only for the items some client links, and only when their text changes.
  for (const std::wstring_view name : kStatusItemNames) {
    if (!dde_->Linked(name) || IsControlItem(name)) continue;
    if (StatusItemText(before, name) != StatusItemText(status, name)) dde_->ItemChanged(name);
  }
}

void Frmzavo::StartDdeService() {
  DdeItemSource& source = *this;
  dde_ = std::make_unique<DdeServer>(kProgramName, kDesignTopic, source);
  std::wstring error;
  if (!dde_->Start(&error)) {
    dde_.reset();
    ShowNotice(L"The DDE service \"Tickvane\" could not be started, so no program can link to the "
               L"station's items: " + error);
  }
}

void Frmzavo::OnCommand(int id, int code, HWND control) {
  const ControlDesign* design = FindControlById(MainWindowDesign(), id);
  if (!design || !control) return;
  if (design->kind == ControlKind::TextBox) {
    if (code == EN_CHANGE && dde_) dde_->ItemChanged(design->name);
    return;
  }
  if (code != BN_CLICKED) return;
  switch (static_cast<MainControlId>(id)) {
    case MainControlId::cbStartFastSend: cbStartFastSend_Click(); break;
    case MainControlId::cmdPause: cmdPause_Click(); break;
    case MainControlId::cmdexit: cmdexit_Click(); break;
    case MainControlId::more: more_Click(); break;
    case MainControlId::status: status_Click(); break;
    case MainControlId::help: help_Click(); break;
    case MainControlId::Forward: Forward_Click(); break;
    case MainControlId::for_mins: for_mins_Click(); break;
    default: break;  // the other controls have no click of their own
  }
}

HBRUSH Frmzavo::OnControlColour(HDC dc, HWND control) {
  const ControlDesign* design = controls_ ? controls_->DesignOf(control) : nullptr;
  if (!design) return nullptr;
  switch (design->colour) {
    case ControlColour::ActiveCaptionText:
      ::SetTextColor(dc, ::GetSysColor(COLOR_ACTIVECAPTION));
      ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
      return ::GetSysColorBrush(COLOR_WINDOW);
    case ControlColour::ButtonFaceBack:
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return ::GetSysColorBrush(COLOR_BTNFACE);
    case ControlColour::Standard:
      break;
  }
  return nullptr;
}

LRESULT Frmzavo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TaskbarProgress::ButtonCreatedMessage() && message != 0) {
    if (taskbar_) taskbar_->ButtonCreated();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == 1) Timer1_Timer();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_ACTIVATE:
      if (focus_.OnActivate(Window(), wParam)) return 0;
      break;
    case WM_CLOSE:
      // Closing through the frame is the same as Exit.
      cmdexit_Click();
      return 0;
    case WM_DESTROY:
      ::KillTimer(Window(), 1);
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(Window(), message, wParam, lParam);
}

}  // namespace tickvane
