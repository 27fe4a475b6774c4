#include "tests/windows/settings/settings_window_view_win.h"

#include <string_view>

#include "common/registry_win.h"
#include "common/handle_owners_win.h"
#include "settings/settings_ids.h"
#include "settings/settings_texts.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

bool Checked(HWND window, int id) {
  DWORD_PTR state = 0;
  ::SendMessageTimeoutW(::GetDlgItem(window, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 10000, &state);
  return state == BST_CHECKED;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT common{};
  return ::IntersectRect(&common, &a, &b) != FALSE;
}

std::string Describe(const RECT& r) {
  std::string text = "(";
  for (LONG v : {r.left, r.top, r.right, r.bottom}) {
    if (text.size() > 1) text += ',';
    text += std::to_string(v);
  }
  text += ')';
  return text;
}

struct Control {
  HWND window;
  std::wstring className;
  LONG_PTR style;
  RECT rect;
  std::wstring text;
};

std::vector<Control> ControlsOf(HWND window) {
  std::vector<Control> controls;
  for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(c)) continue;
    controls.push_back({c, ClassNameOf(c), ::GetWindowLongPtrW(c, GWL_STYLE), ChildRect(c), TextOf(c)});
  }
  return controls;
}

bool IsGroupBox(const Control& c) {
  return _wcsicmp(c.className.c_str(), L"Button") == 0 && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
}

// The room a text needs in the font of the window's template, 8 points of MS Shell Dlg.
class TextMeasure {
 public:
  explicit TextMeasure(int dpi) : screen_(::GetDC(nullptr)) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(8, dpi, 72);
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, L"MS Shell Dlg");
    font_.reset(::CreateFontIndirectW(&font));
    old_ = ::SelectObject(screen_, font_.get());
  }
  ~TextMeasure() {
    ::SelectObject(screen_, old_);
    ::ReleaseDC(nullptr, screen_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  SIZE OneLine(const std::wstring& text) const {
    RECT r{0, 0, 0, 0};
    ::DrawTextW(screen_, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    return SIZE{r.right, r.bottom};
  }
  int WrappedHeight(const std::wstring& text, int width) const {
    RECT r{0, 0, width, 0};
    ::DrawTextW(screen_, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
    return r.bottom;
  }

 private:
  HDC screen_;
  UniqueFont font_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

HWND FindSettingsWindow(DWORD processId) {
  for (HWND w : TopLevelWindows(processId, true))
    if (ClassNameOf(w) == L"#32770" && TextOf(w) == settings::kTitle && ::GetDlgItem(w, IDC_ZONE)) return w;
  return nullptr;
}

SettingsWindowState ReadSettingsWindow(HWND window) {
  SettingsWindowState state;
  state.intoFolder = Checked(window, IDC_INTO_FOLDER);
  state.besidePrograms = Checked(window, IDC_BESIDE_PROGRAMS);
  state.folderBoxEnabled = ::IsWindowEnabled(::GetDlgItem(window, IDC_FOLDER)) != FALSE;
  state.folder = TextOf(::GetDlgItem(window, IDC_FOLDER));
  state.zone = TextOf(::GetDlgItem(window, IDC_ZONE));
  return state;
}

std::vector<std::string> DialogLayoutProblems(HWND window, int dpi) {
  std::vector<std::string> problems;
  const std::vector<Control> controls = ControlsOf(window);

  RECT outer{};
  ::GetWindowRect(window, &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  if (!Inside(outer, monitor.rcWork)) problems.push_back("window " + Describe(outer) + " not within the screen " + Describe(monitor.rcWork));

  RECT client{};
  ::GetClientRect(window, &client);
  const TextMeasure measure(dpi);
  // Room that a control takes besides its text: a check circle, a button's edges.
  const int check = ::MulDiv(16, dpi, 96);
  const int edges = ::MulDiv(8, dpi, 96);
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& c = controls[i];
    const std::string name = Narrow(c.className) + " \"" + Narrow(c.text) + "\"";
    if (!Inside(c.rect, client)) problems.push_back(name + " outside the window: " + Describe(c.rect));
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const Control& d = controls[j];
      if (!Overlap(c.rect, d.rect)) continue;
      const bool grouped = (IsGroupBox(c) && Inside(d.rect, c.rect)) || (IsGroupBox(d) && Inside(c.rect, d.rect));
      if (!grouped) problems.push_back(name + " and \"" + Narrow(d.text) + "\" overlap");
    }
    if (c.text.empty()) continue;
    const int width = c.rect.right - c.rect.left, height = c.rect.bottom - c.rect.top;
    if (_wcsicmp(c.className.c_str(), L"Static") == 0) {
      const int needed = measure.WrappedHeight(c.text, width);
      if (needed > height) problems.push_back(name + " needs " + std::to_string(needed) + " px, has " + std::to_string(height));
    } else if (_wcsicmp(c.className.c_str(), L"Button") == 0) {
      const LONG_PTR type = c.style & BS_TYPEMASK;
      const bool choice = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX ||
                          type == BS_AUTOCHECKBOX;
      const SIZE text = measure.OneLine(c.text);
      const int room = width - (choice || type == BS_GROUPBOX ? check : edges);
      if (text.cx > room) problems.push_back(name + " needs " + std::to_string(text.cx) + " px, has " + std::to_string(room));
      if (type != BS_GROUPBOX && text.cy > height)
        problems.push_back(name + " is " + std::to_string(height) + " px high for a line of " + std::to_string(text.cy));
    }
  }
  return problems;
}

HWND MessageBoxBeside(DWORD processId, HWND window) {
  for (HWND w : TopLevelWindows(processId, true))
    if (w != window && ClassNameOf(w) == L"#32770" && ::GetDlgItem(w, 0xFFFF)) return w;
  return nullptr;
}

std::wstring MessageBoxText(HWND box) { return TextOf(::GetDlgItem(box, 0xFFFF)); }

std::optional<std::wstring> ZoneDisplayText(const std::wstring& keyName) {
  UniqueRegistryKey zone = OpenRegistryKey(
      HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + keyName);
  return ReadRegistryString(zone.get(), L"Display");
}

}  // namespace tickvane::test
