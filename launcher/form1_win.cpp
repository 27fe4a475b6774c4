#include "launcher/form1_win.h"

#include <exception>
#include <string>

#include "common/message_box_win.h"
#include "common/program_files.h"
#include "common/set_window_topmost_win.h"
#include "common/start_program_win.h"
#include "common/win_text_win.h"
#include "launcher/launcher_texts.h"

namespace tickvane::launcher {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

}  // namespace

Form1::Form1(const SingleInstance& instance) : instance_(instance) {}

bool Form1::Create() {
  if (!RegisterClassOnce(kWindowClass, ::LoadIconW(::GetModuleHandleW(nullptr), L"APPICON"))) return false;
  const WindowDesign& design = LauncherWindowDesign();
  HWND window = CreateDesignedWindow(kWindowClass, design, kStyle, kExStyle, this);
  if (!window) return false;
  controls_ = std::make_unique<ControlSet>(window, design);
  // A static control reports clicks only with SS_NOTIFY; it reads the style when the mouse comes.
  HWND help = ::GetDlgItem(window, ControlId(LauncherControlId::Label1));
  ::SetWindowLongPtrW(help, GWL_STYLE, ::GetWindowLongPtrW(help, GWL_STYLE) | SS_NOTIFY);
  return true;
}

void Form1::Form_Load() {
  if (instance_.AnotherIsRunning()) ::ExitProcess(0);
  short topmost = kTopmost;
  SetWindowTopmost(Window(), topmost);
}

void Form1::Show() {
  ::ShowWindow(Window(), SW_SHOWNORMAL);
  ::SetForegroundWindow(Window());
}

void Form1::Option_Click(const LauncherAction& action) {
  if (!Confirm(Window(), action.question)) {
    // Back to no choice, so that the same option asks again when it is picked again (an auto
    // radio button that is already checked gives no new click when the arrow keys reach it).
    ::CheckDlgButton(Window(), ControlId(action.option), BST_UNCHECKED);
    return;
  }
  if (action.notice) ShowNotice(Window(), action.notice, kProgramTitle);
  StartConverter(action);
  ::DestroyWindow(Window());
}

void Form1::StartConverter(const LauncherAction& action) {
  DWORD error = 0;
  if (StartProgram(kConverterProgram, action.modeWord, SW_SHOWNORMAL, &error)) return;
  std::wstring commandLine = kConverterProgram;
  if (*action.modeWord) commandLine += std::wstring(L" ") + action.modeWord;
  std::wstring text = L"The converter could not be started with the command line \"" + commandLine + L"\": " +
                      SystemErrorText(error) + L"\r\n\r\n" + kConverterProgram +
                      L".exe belongs in the folder of Portvane.exe: " + ProgramDirectory();
  ::MessageBoxW(Window(), text.c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
}

void Form1::Label1_Click() {
  DWORD error = 0;
  // Like a browser opened from a link: the launcher stays and nothing is asked.
  if (!StartProgram(kHelpProgram, HelpPageAddress(ProgramDirectory()), SW_SHOWMINIMIZED, &error)) {
    std::wstring text = L"The help page could not be opened: " + SystemErrorText(error);
    ::MessageBoxW(Window(), text.c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
  }
}

void Form1::Form_Unload() { ::DestroyWindow(Window()); }

void Form1::OnCommand(int id, int code) {
  switch (const auto control = static_cast<LauncherControlId>(id)) {
    case LauncherControlId::Label1:
      if (code == STN_CLICKED) Label1_Click();
      break;
    case LauncherControlId::sierra:
    case LauncherControlId::tickvane:
    case LauncherControlId::esignal:
      if (code == BN_CLICKED) Option_Click(*ActionOf(control));
      break;
  }
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // No exception may unwind through the system's code that called this window procedure.
      try {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
      } catch (const std::exception&) {
        ::MessageBoxW(Window(), L"Portvane ran out of memory; nothing was started.", kProgramTitle,
                      MB_OK | MB_ICONERROR);
      }
      return 0;
    case WM_ACTIVATE:
      if (focus_.OnActivate(Window(), wParam)) return 0;
      break;
    case WM_CLOSE:
      Form_Unload();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(Window(), message, wParam, lParam);
}

}  // namespace tickvane::launcher
