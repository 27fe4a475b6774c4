// Looking at and driving another process's windows the way a user or an automation tool does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tickvane::test {

std::wstring ClassNameOf(HWND window);
// The process that owns the window (0 for no window).
DWORD ProcessOf(HWND window);
// A control of a dialog or main window by its id (an enum of the program's own).
template <typename Id>
HWND ControlOf(HWND window, Id id) {
  return ::GetDlgItem(window, static_cast<int>(id));
}
// Text of a window of another process (WM_GETTEXT, with a timeout so a hung target fails the test).
std::wstring TextOf(HWND window);
void SetTextOf(HWND window, std::wstring_view text);

// Top-level windows of a process; visibleOnly leaves out hidden ones.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly);
// The process's top-level window of that class, or nullptr.
HWND FindTopLevel(DWORD processId, std::wstring_view className, bool visibleOnly);

enum class TextMatch { Whole, Part };
// The first visible window of that class (in any case) whose text equals or holds `text` (an empty
// text matches any): among a window's descendants, or with no parent among the top-level windows
// of every process.
HWND FindVisibleWindow(HWND parent, std::wstring_view className, std::wstring_view text, TextMatch match);

// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND control);
// Whether a control stands at this place and size in its parent (pixels).
::testing::AssertionResult PlacedAt(HWND control, int left, int top, int width, int height);
SIZE ClientSize(HWND window);
SIZE OuterSize(HWND window);
bool IsTopmost(HWND window);
// A program's main window as designed: this caption, this client size (pixels), kept on top.
::testing::AssertionResult IsTopmostWithCaptionAndSize(HWND window, std::wstring_view caption, SIZE client);
int ScreenDpi();

struct MessageBoxView {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO ... in the order the box shows them
  int defaultButton = 0;
  bool hasIcon = false;
};

// The process's open message box (a visible standard dialog), if any, and how many it has open.
std::optional<MessageBoxView> FindMessageBox(DWORD processId);
int CountMessageBoxes(DWORD processId);
// Waits for one to open; nullopt when none opened within the time.
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, DWORD timeoutMs = 30000);
// Answers it as a user would by pressing the button with that id.
void Answer(const MessageBoxView& box, int buttonId);

// A click on a button, check box or option button (posted, so a modal box it opens does not block).
void Click(HWND control);
// Keys as typed on the keyboard into the window that has the focus in that thread.
void PressKey(DWORD threadId, UINT virtualKey);
// The control that has the keyboard focus in that thread, or nullptr.
HWND FocusOf(DWORD threadId);

// Saves what the window shows as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace tickvane::test
