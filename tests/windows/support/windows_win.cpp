#include "tests/windows/support/windows_win.h"

#include "common/handle_owners_win.h"
#include "tests/windows/support/programs_win.h"

namespace tickvane::test {
namespace {

// Standard message boxes are dialogs of this class; their text is the static with id 0xFFFF.
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageTextId = 0xFFFF;

struct EnumState {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid == state->processId && (!state->visibleOnly || ::IsWindowVisible(window))) state->found.push_back(window);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

}  // namespace

namespace {

struct VisibleWindowSearch {
  std::wstring_view className;
  std::wstring_view text;
  TextMatch match;
  HWND found = nullptr;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<VisibleWindowSearch*>(param);
  if (!::IsWindowVisible(window) || _wcsicmp(ClassNameOf(window).c_str(), std::wstring(search->className).c_str()) != 0)
    return TRUE;
  if (!search->text.empty()) {
    const std::wstring text = TextOf(window);
    if (search->match == TextMatch::Whole ? text != search->text : text.find(search->text) == std::wstring::npos)
      return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindVisibleWindow(HWND parent, std::wstring_view className, std::wstring_view text, TextMatch match) {
  VisibleWindowSearch search{className, text, match};
  if (parent != nullptr)
    ::EnumChildWindows(parent, &MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  else
    ::EnumWindows(&MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  if (window != nullptr) ::GetWindowThreadProcessId(window, &id);
  return id;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length)) return L"<hung>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        10000, &copied);
  text.resize(copied);
  return text;
}

void SetTextOf(HWND window, std::wstring_view text) {
  std::wstring copy(text);
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()), SMTO_ABORTIFHUNG, 10000,
                        &result);
}

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
  EnumState state{processId, visibleOnly, {}};
  ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND FindTopLevel(DWORD processId, std::wstring_view className, bool visibleOnly) {
  for (HWND w : TopLevelWindows(processId, visibleOnly))
    if (ClassNameOf(w) == className) return w;
  return nullptr;
}

RECT ChildRect(HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE OuterSize(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool IsTopmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

::testing::AssertionResult PlacedAt(HWND control, int left, int top, int width, int height) {
  const RECT r = ChildRect(control);
  if (r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at " << r.left << "," << r.top << " size " << r.right - r.left << "x"
                                       << r.bottom - r.top << "; designed: at " << left << "," << top << " size "
                                       << width << "x" << height;
}

::testing::AssertionResult IsTopmostWithCaptionAndSize(HWND window, std::wstring_view caption, SIZE client) {
  const std::wstring text = TextOf(window);
  const SIZE size = ClientSize(window);
  if (text != caption || !IsTopmost(window) || size.cx != client.cx || size.cy != client.cy) {
    return ::testing::AssertionFailure() << "caption \"" << std::string(text.begin(), text.end()) << "\", "
                                         << (IsTopmost(window) ? "" : "not ") << "topmost, client " << size.cx << "x"
                                         << size.cy << "; designed: \"" << std::string(caption.begin(), caption.end())
                                         << "\", topmost, client " << client.cx << "x" << client.cy;
  }
  return ::testing::AssertionSuccess();
}

std::optional<MessageBoxView> FindMessageBox(DWORD processId) {
  for (HWND w : TopLevelWindows(processId, true)) {
    if (ClassNameOf(w) != kDialogClass) continue;
    MessageBoxView box;
    box.window = w;
    box.title = TextOf(w);
    for (HWND c : Children(w)) {
      int id = ::GetDlgCtrlID(c);
      std::wstring cls = ClassNameOf(c);
      if (id == kMessageTextId) {
        box.text = TextOf(c);
      } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && ::IsWindowVisible(c)) {
        box.buttons.push_back(id);
        if ((::GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) box.defaultButton = id;
      } else if (_wcsicmp(cls.c_str(), L"Static") == 0 && ::IsWindowVisible(c) &&
                 (::GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        // The icon control is there in every box; it shows an icon only when one was asked for.
        DWORD_PTR icon = 0;
        ::SendMessageTimeoutW(c, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 10000, &icon);
        box.hasIcon = box.hasIcon || icon != 0;
      }
    }
    return box;
  }
  return std::nullopt;
}

int CountMessageBoxes(DWORD processId) {
  int n = 0;
  for (HWND w : TopLevelWindows(processId, true))
    if (ClassNameOf(w) == kDialogClass) ++n;
  return n;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  std::optional<MessageBoxView> box;
  WaitUntil([&] {
    box = FindMessageBox(processId);
    return box.has_value();
  }, timeoutMs);
  return box;
}

void Answer(const MessageBoxView& box, int buttonId) {
  ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box.window, buttonId)));
}

void Click(HWND control) { ::PostMessageW(control, BM_CLICK, 0, 0); }

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(threadId, &info)) return nullptr;
  return info.hwndFocus;
}

void PressKey(DWORD threadId, UINT virtualKey) {
  HWND focus = FocusOf(threadId);
  if (!focus) return;
  UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  ::PostMessageW(focus, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  if (virtualKey == VK_SPACE) ::PostMessageW(focus, WM_CHAR, L' ', 1 | (scan << 16));
  ::PostMessageW(focus, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
  // Repaint first (synchronously, also across processes), or the picture may catch a half-drawn window.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT r{};
  if (!::GetWindowRect(window, &r)) return false;
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, width, height));
  HGDIOBJ old = ::SelectObject(memory, bitmap.get());
  ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  ::SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  std::vector<char> pixels(stride * static_cast<DWORD>(height));
  ::GetDIBits(memory, bitmap.get(), 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  UniqueFile out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
            ::WriteFile(out.get(), &info, sizeof info, &written, nullptr) &&
            ::WriteFile(out.get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  return ok;
}

}  // namespace tickvane::test
