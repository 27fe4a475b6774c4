#include "converter/finding_panel_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cwctype>

#include "common/time_zone_registry_win.h"
#include "common/win_text_win.h"
#include "converter/conversion_summary.h"
#include "converter/file_source_win.h"
#include "converter/format_detect.h"
#include "converter/genvane_texts.h"
#include "converter/zone_directory_win.h"

namespace tickvane::converter {
namespace {

// The panel's size in dialog units; the controls are laid out in the same units.
constexpr short kPanelWidth = 300;
constexpr short kPanelHeight = 110;
constexpr int kLabelX = 7, kLabelWidth = 44, kValueX = 54, kValueWidth = 239;

const wchar_t* PriceText(PriceKind kind) {
  switch (kind) {
    case PriceKind::Bid:
      return L"bid";
    case PriceKind::Ask:
      return L"ask";
    case PriceKind::Mid:
      return L"mid (bid and ask halved)";
    case PriceKind::Last:
      break;
  }
  return L"last (trades)";
}

// A record line as people read it: 2013-10-08 09:30:03   1680.25   3
std::wstring Readable(const std::string& record) {
  size_t c1 = record.find(','), c2 = record.find(',', c1 + 1), c3 = record.find(',', c2 + 1),
         c4 = record.find(',', c3 + 1);
  if (c4 == std::string::npos) return FromAnsi(record);
  std::string d = record.substr(c1 + 1, 8), t = record.substr(c2 + 1, 6);
  std::string text = d.substr(0, 4) + "-" + d.substr(4, 2) + "-" + d.substr(6, 2) + " " + t.substr(0, 2) + ":" +
                     t.substr(2, 2) + ":" + t.substr(4, 2) + "    " + record.substr(c3 + 1, c4 - c3 - 1) +
                     "    volume " + record.substr(c4 + 1);
  return FromAnsi(text);
}

void Append(std::vector<WORD>& t, const wchar_t* text) {
  for (const wchar_t* p = text; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
}

}  // namespace

std::vector<WORD> FindingPanelTemplate() {
  // DLGTEMPLATE: style, extended style, no controls, position and size; then no menu, the
  // default class, no title, and the dialog font (DS_SETFONT).
  std::vector<WORD> t;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT;
  t.push_back(LOWORD(style));
  t.push_back(HIWORD(style));
  t.push_back(0);
  t.push_back(0);
  t.push_back(0);  // cdit
  t.push_back(0);  // x
  t.push_back(0);  // y
  t.push_back(static_cast<WORD>(kPanelWidth));
  t.push_back(static_cast<WORD>(kPanelHeight));
  t.push_back(0);  // menu
  t.push_back(0);  // class
  t.push_back(0);  // title
  t.push_back(8);  // point size
  Append(t, L"MS Shell Dlg");
  if (t.size() % 2) t.push_back(0);
  return t;
}

FindingPanel::FindingPanel(std::string playbackZone, const ZoneRules* playbackRules)
    : playbackZone_(std::move(playbackZone)), playbackRules_(playbackRules), zones_(SystemZoneDirectory()) {
  for (const SystemTimeZone& z : SystemTimeZones()) systemZones_.emplace_back(z.display, ToUtf8(z.keyName));
}

void FindingPanel::Create(HWND panel) {
  panel_ = panel;
  ::SetWindowLongPtrW(panel_, GWLP_ID, kFindingPanelId);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(panel_, WM_GETFONT, 0, 0));
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
    RECT r{x, y, x + w, y + h};
    ::MapDialogRect(panel_, &r);
    HWND control = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, panel_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     instance, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    placed_.push_back({control, RECT{x, y, x + w, y + h}});
    return control;
  };
  const DWORD label = SS_LEFT | SS_NOPREFIX;
  make(L"STATIC", L"Found:", label, -1, kLabelX, 4, kLabelWidth, 8);
  make(L"STATIC", L"", label, kFindingFormatId, kValueX, 4, kValueWidth, 8);
  make(L"STATIC", L"Times in:", label, -1, kLabelX, 19, kLabelWidth, 8);
  make(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFindingReadZoneId, kValueX, 17, kValueWidth, 160);
  make(L"STATIC", L"", label, kFindingZoneWhyId, kValueX, 32, kValueWidth, 16);
  make(L"STATIC", L"Written in:", label, -1, kLabelX, 50, kLabelWidth, 8);
  make(L"STATIC", L"", label, kFindingWriteZoneId, kValueX, 50, kValueWidth, 8);
  make(L"STATIC", L"Price:", label, -1, kLabelX, 65, kLabelWidth, 8);
  make(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFindingPriceId, kValueX, 63, 96, 80);
  make(L"STATIC", L"Symbol:", label, -1, 158, 65, 30, 8);
  make(L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, kFindingSymbolId, 190, 63, 103, 120);
  make(L"STATIC", L"First ticks:", label, -1, kLabelX, 81, kLabelWidth, 8);
  make(L"STATIC", L"", label, kFindingTicksId, kValueX, 81, kValueWidth, 26);
  Refresh(true);
}

std::wstring FindingPanel::CurrentPath(int* count) const {
  *count = 0;
  HWND dialog = ::GetParent(panel_);
  std::vector<wchar_t> typed(32768, L'\0'), folder(32768, L'\0');
  if (::SendMessageW(dialog, CDM_GETSPEC, static_cast<WPARAM>(typed.size()), reinterpret_cast<LPARAM>(typed.data())) <= 0)
    return {};
  ::SendMessageW(dialog, CDM_GETFOLDERPATH, static_cast<WPARAM>(folder.size()),
                 reinterpret_cast<LPARAM>(folder.data()));
  std::wstring text(typed.data());
  std::wstring first;
  if (!text.empty() && text[0] == L'"') {
    // Several files: "a.txt" "b.txt"
    for (size_t at = 0; (at = text.find(L'"', at)) != std::wstring::npos;) {
      size_t close = text.find(L'"', at + 1);
      if (close == std::wstring::npos) break;
      if (*count == 0) first = text.substr(at + 1, close - at - 1);
      ++*count;
      at = close + 1;
    }
  } else {
    size_t b = text.find_first_not_of(L' '), e = text.find_last_not_of(L' ');
    if (b != std::wstring::npos) first = text.substr(b, e - b + 1);
    *count = first.empty() ? 0 : 1;
  }
  if (first.empty()) return {};
  const bool absolute = first.find(L':') != std::wstring::npos || first.rfind(L"\\\\", 0) == 0;
  std::wstring path = absolute ? first : std::wstring(folder.data()) + L"\\" + first;
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return path;
}

void FindingPanel::Arrange() {
  HWND dialog = ::GetParent(panel_);
  auto rectIn = [&](HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  // The lowest of the dialog's own controls, and its list of files.
  auto lowestControl = [&] {
    int lowest = 0;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
      if (c != panel_ && ::IsWindowVisible(c)) lowest = std::max(lowest, static_cast<int>(rectIn(c).bottom));
    return lowest;
  };
  int lowest = lowestControl();
  HWND list = nullptr;
  RECT listRect{};
  for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    RECT r = rectIn(c);
    if (c != panel_ && ::IsWindowVisible(c) && ::GetDlgCtrlID(c) == lst2 &&
        (!list || r.bottom - r.top > listRect.bottom - listRect.top)) {
      list = c;
      listRect = r;
    }
  }
  RECT gap{0, 0, 0, 6}, height{0, 0, 0, kPanelHeight};
  ::MapDialogRect(panel_, &gap);
  ::MapDialogRect(panel_, &height);

  // The client area the panel needs below the dialog's controls, as far as the screen allows:
  // beyond that the list of files gives up room.
  RECT client{}, outer{};
  ::GetClientRect(dialog, &client);
  ::GetWindowRect(dialog, &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int frame = (outer.bottom - outer.top) - client.bottom;
  const int most = (work.bottom - work.top) - frame;
  int wanted = lowest + gap.bottom + height.bottom;
  const int listHeight = listRect.bottom - listRect.top;
  const int shrink = std::min(std::max(0, wanted - most), list ? listHeight / 2 : 0);
  if (shrink > 0) {
    ::SetWindowPos(list, nullptr, 0, 0, listRect.right - listRect.left, listHeight - shrink,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // What lies below the list moves up; what runs beside it down to its bottom (the bar of
    // places) gets shorter with it.
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      RECT r = rectIn(c);
      if (c == panel_ || c == list) continue;
      if (r.top >= listRect.bottom - 1) {
        ::SetWindowPos(c, nullptr, r.left, r.top - shrink, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else if (r.bottom >= listRect.bottom - 1 && r.bottom - r.top > 2 * shrink) {
        ::SetWindowPos(c, nullptr, 0, 0, r.right - r.left, r.bottom - r.top - shrink,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    lowest = lowestControl();
    wanted = lowest + gap.bottom + height.bottom;
  }
  if (wanted != client.bottom) {
    ::SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, wanted + frame,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(panel_, nullptr, 0, 0, client.right, wanted, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int top = lowest + gap.bottom;
  for (const Placed& p : placed_) {
    RECT r = p.units;
    ::MapDialogRect(panel_, &r);
    ::SetWindowPos(p.control, nullptr, r.left, top + r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The whole dialog on the screen.
  ::GetWindowRect(dialog, &outer);
  LONG x = outer.left, y = outer.top;
  if (outer.bottom > work.bottom) y -= outer.bottom - work.bottom;
  if (outer.right > work.right) x -= outer.right - work.right;
  y = std::max(y, work.top);
  x = std::max(x, work.left);
  if (x != outer.left || y != outer.top) ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // What moved is drawn again where it is now.
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

void FindingPanel::Refresh(bool force) {
  if (!panel_) return;
  int count = 0;
  std::wstring path = CurrentPath(&count);
  if (!force && path == path_ && count == files_) return;
  if (path != path_) picked_ = FindingChoices{};
  path_ = path;
  files_ = count;
  Show();
}

void FindingPanel::Show() {
  haveFinding_ = false;
  preview_ = Preview{};
  std::wstring problem;
  if (!path_.empty()) {
    std::string head;
    bool whole = false;
    if (ReadFileStart(path_, kDetectionBytes, &head, &whole, &problem)) {
      ConvertOptions o;
      o.fileName = ToAnsi(path_);
      o.zones = &zones_;
      o.sourceZone = picked_.sourceZone;
      o.playbackZone = playbackRules_;
      o.price = picked_.price;
      o.symbol = picked_.symbol;
      preview_ = PreviewStart(head, whole, o);
      haveFinding_ = preview_.detected;
    } else {
      problem = L"The file " + problem + L".";
    }
  }
  filling_ = true;
  std::wstring format;
  if (path_.empty()) {
    format = L"Pick a tick file to see what Genvane finds in it.";
  } else if (!problem.empty()) {
    format = problem;
  } else if (!preview_.detected) {
    format = L"Nothing Genvane can convert. " + FromAnsi(ErrorPlace(preview_.error)) + L": " +
             FromAnsi(preview_.error.problem) + L".";
  } else {
    format = FromAnsi(preview_.finding.format);
    if (files_ > 1) format += L", and " + std::to_wstring(files_ - 1) + L" more files joined in time order";
  }
  ::SetWindowTextW(Control(kFindingFormatId), format.c_str());
  FillZones();
  std::wstring why;
  if (haveFinding_) {
    why = FromAnsi(preview_.finding.zoneWhy) + L".";
    if (preview_.finding.zoneAsked && !picked_.sourceZone) why += L" Check it.";
    why[0] = static_cast<wchar_t>(std::towupper(why[0]));
  }
  ::SetWindowTextW(Control(kFindingZoneWhyId), why.c_str());
  std::wstring writes = playbackZone_.empty()
                            ? L"As read (no recording time zone is set in Tickvane Settings)"
                            : FromUtf8(playbackZone_) + L" (the recording time zone of Tickvane Settings)";
  ::SetWindowTextW(Control(kFindingWriteZoneId), writes.c_str());
  FillPrices();
  FillSymbols();
  std::wstring ticks;
  for (const std::string& record : preview_.records) ticks += (ticks.empty() ? L"" : L"\r\n") + Readable(record);
  if (haveFinding_ && preview_.failed) {
    ticks += (ticks.empty() ? L"" : L"\r\n") + FromAnsi(ErrorPlace(preview_.error)) + L": " +
             FromAnsi(preview_.error.problem) + L".";
  }
  ::SetWindowTextW(Control(kFindingTicksId), ticks.c_str());
  filling_ = false;
}

void FindingPanel::FillZones() {
  HWND combo = Control(kFindingReadZoneId);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  zoneItems_.clear();
  const Finding& f = preview_.finding;
  if (!haveFinding_) {
    ::EnableWindow(combo, FALSE);
    return;
  }
  if (f.timesCarryZone) {
    zoneItems_.push_back({L"As the times say (UTC, or the offsets written with them)", std::nullopt});
  } else {
    const std::wstring asWritten = L"As written (no zone)";
    const std::string own = f.zoneIsThisComputer ? zones_.thisComputer() : f.zone;
    const std::wstring ownText =
        own.empty() ? asWritten
                    : FromUtf8(own) + (f.zoneIsThisComputer ? L" (this computer's zone)" : L" (the format's zone)");
    // First what is in effect, then the other choices.
    if (picked_.sourceZone) {
      zoneItems_.push_back(
          {picked_.sourceZone->empty() ? asWritten : FromUtf8(*picked_.sourceZone), picked_.sourceZone});
      zoneItems_.push_back({ownText, std::nullopt});
    } else {
      zoneItems_.push_back({ownText, std::nullopt});
    }
    const bool writtenShown = own.empty() || (picked_.sourceZone && picked_.sourceZone->empty());
    if (!writtenShown) zoneItems_.push_back({asWritten, std::string()});
    zoneItems_.push_back({L"UTC", std::string("UTC")});
    zoneItems_.push_back({L"UTC-05:00 (Eastern Standard Time all year)", std::string("UTC-05:00")});
    for (const auto& [display, key] : systemZones_) zoneItems_.push_back({display, key});
  }
  for (const ZoneItem& item : zoneItems_)
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
  ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
  ::EnableWindow(combo, !f.timesCarryZone);
}

void FindingPanel::FillPrices() {
  HWND combo = Control(kFindingPriceId);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  priceItems_.clear();
  if (haveFinding_) {
    for (PriceKind k : {PriceKind::Last, PriceKind::Bid, PriceKind::Ask, PriceKind::Mid}) {
      if (!preview_.finding.HasPrice(k)) continue;
      priceItems_.push_back(k);
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PriceText(k)));
      if (k == preview_.price) ::SendMessageW(combo, CB_SETCURSEL, priceItems_.size() - 1, 0);
    }
  }
  ::EnableWindow(combo, priceItems_.size() > 1);
}

void FindingPanel::FillSymbols() {
  HWND combo = Control(kFindingSymbolId);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  std::wstring shown;
  if (haveFinding_) {
    for (const std::string& s : preview_.symbols)
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromAnsi(s).c_str()));
    if (!picked_.symbol.empty()) {
      shown = FromAnsi(picked_.symbol);
    } else if (!preview_.chosenSymbol.empty()) {
      shown = FromAnsi(preview_.chosenSymbol);
    } else if (!preview_.symbols.empty()) {
      shown = FromAnsi(preview_.symbols[0]);
    } else if (!preview_.records.empty()) {
      const std::string& r = preview_.records[0];
      shown = FromAnsi(r.substr(0, r.find(',')));
    }
  }
  ::SetWindowTextW(combo, shown.c_str());
  symbolShown_ = shown;
  ::EnableWindow(combo, haveFinding_);
}

void FindingPanel::OnCommand(WORD id, WORD code) {
  if (filling_ || !haveFinding_) return;
  if (id == kFindingReadZoneId && code == CBN_SELCHANGE) {
    LRESULT i = ::SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
    if (i <= 0 || static_cast<size_t>(i) >= zoneItems_.size()) return;  // 0: what is in effect already
    picked_.sourceZone = zoneItems_[i].zone;
    Show();
  } else if (id == kFindingPriceId && code == CBN_SELCHANGE) {
    LRESULT i = ::SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
    if (i < 0 || static_cast<size_t>(i) >= priceItems_.size()) return;
    picked_.price = priceItems_[i];
    Show();
  } else if (id == kFindingSymbolId && (code == CBN_SELCHANGE || code == CBN_KILLFOCUS)) {
    std::wstring text;
    if (code == CBN_SELCHANGE) {
      LRESULT i = ::SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
      wchar_t item[256] = {};
      if (i >= 0 && ::SendMessageW(Control(id), CB_GETLBTEXTLEN, i, 0) < 255)
        ::SendMessageW(Control(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      text = item;
    } else {
      text = WindowText(Control(id));
    }
    if (text == symbolShown_) return;
    picked_.symbol = ToAnsi(text);
    Show();
  }
}

void FindingPanel::Keep() {
  if (panel_) {
    std::wstring typed = WindowText(Control(kFindingSymbolId));
    if (haveFinding_ && typed != symbolShown_) picked_.symbol = ToAnsi(typed);
  }
  choices_ = picked_;
  // A file of several symbols converts the one shown.
  if (choices_.symbol.empty() && !preview_.chosenSymbol.empty()) choices_.symbol = preview_.chosenSymbol;
}

}  // namespace tickvane::converter
