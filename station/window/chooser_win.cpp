#include "station/window/chooser_win.h"

#include "common/message_box_win.h"
#include "station/window/frmzavo_win.h"
#include "station/window/layout.h"
#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

constexpr const wchar_t* kClassName = kChooserWindowClass;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

}  // namespace

Chooser::Chooser(Frmzavo& main) : main_(main) {}

Chooser::~Chooser() = default;

bool Chooser::Load() {
  if (!RegisterClassOnce(kClassName, ::LoadIconW(::GetModuleHandleW(nullptr), L"APPICON"))) return false;
  const WindowDesign& design = ChooserWindowDesign();
  SIZE size = OuterSizeForClient(kStyle, kExStyle, design.clientWidth, design.clientHeight, WindowDpi(nullptr));
  int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - size.cx / 2;
  int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - size.cy / 2;
  HWND window = ::CreateWindowExW(kExStyle, kClassName, design.caption, kStyle, x, y, size.cx, size.cy, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), this);
  if (!window) return false;
  controls_ = std::make_unique<ControlSet>(window, design);
  return true;
}

void Chooser::Show() {
  ::ShowWindow(Window(), SW_SHOWNORMAL);
  ::SetForegroundWindow(Window());
  ::SetFocus(::GetDlgItem(Window(), ControlId(ChooserControlId::vqfile)));
}

void Chooser::Pick(ChooserControlId checkBox) {
  main_.SetVqFilename(StoredNameOf(checkBox));
  main_.Show();
  // Hidden for good: the pick can be made once per process.
  ::ShowWindow(Window(), SW_HIDE);
}

void Chooser::vqfile_Click() { Pick(ChooserControlId::vqfile); }
void Chooser::IBM_Click() { Pick(ChooserControlId::IBM); }
void Chooser::msft_Click() { Pick(ChooserControlId::msft); }
void Chooser::dji_Click() { Pick(ChooserControlId::dji); }
void Chooser::indu_Click() { Pick(ChooserControlId::indu); }

void Chooser::why_Click() {
  ::ShowWindow(Window(), SW_HIDE);
  ShowNotice(Window(), kChooserExplanation, kProgramTitle);
  ::ShowWindow(Window(), SW_SHOWNORMAL);
}

void Chooser::Form_Unload() {
  ::DestroyWindow(Window());
  main_.Unload();
}

void Chooser::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (static_cast<ChooserControlId>(id)) {
    case ChooserControlId::vqfile: vqfile_Click(); break;
    case ChooserControlId::IBM: IBM_Click(); break;
    case ChooserControlId::msft: msft_Click(); break;
    case ChooserControlId::dji: dji_Click(); break;
    case ChooserControlId::indu: indu_Click(); break;
    case ChooserControlId::why: why_Click(); break;
    case ChooserControlId::Label1: break;
  }
}

LRESULT Chooser::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      Form_Unload();
      return 0;
  }
  return ::DefWindowProcW(Window(), message, wParam, lParam);
}

}  // namespace tickvane
