#include "tests/windows/converter/converter_dialog_view_win.h"

#include "common/win_text_win.h"
#include "converter/genvane_texts.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

int& Dpi() {
  static int dpi = 96;
  return dpi;
}

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK Look(HWND child, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  if (::GetDlgCtrlID(child) == s->id) {
    s->found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int ExpectedDpi() { return Dpi(); }
void SetExpectedDpi(int dpi) { Dpi() = dpi; }

HWND DescendantById(HWND window, int id) {
  Search s{id, nullptr};
  ::EnumChildWindows(window, &Look, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

FindingView ReadFinding(HWND panel) {
  using namespace tickvane::converter;
  FindingView v;
  auto text = [&](int id) { return TextOf(::GetDlgItem(panel, id)); };
  v.format = text(kFindingFormatId);
  v.readZone = text(kFindingReadZoneId);
  v.why = text(kFindingZoneWhyId);
  v.writeZone = text(kFindingWriteZoneId);
  v.price = text(kFindingPriceId);
  v.symbol = text(kFindingSymbolId);
  v.ticks = text(kFindingTicksId);
  v.readZoneEnabled = ::IsWindowEnabled(::GetDlgItem(panel, kFindingReadZoneId)) != FALSE;
  v.priceEnabled = ::IsWindowEnabled(::GetDlgItem(panel, kFindingPriceId)) != FALSE;
  return v;
}

std::vector<std::string> PanelOverlaps(HWND dialog, HWND panel) {
  std::vector<std::string> overlaps;
  for (HWND own = ::GetWindow(dialog, GW_CHILD); own; own = ::GetWindow(own, GW_HWNDNEXT)) {
    if (own == panel || !::IsWindowVisible(own)) continue;
    RECT a{};
    ::GetWindowRect(own, &a);
    for (HWND mine = ::GetWindow(panel, GW_CHILD); mine; mine = ::GetWindow(mine, GW_HWNDNEXT)) {
      RECT b{}, both{};
      ::GetWindowRect(mine, &b);
      if (::IsWindowVisible(mine) && ::IntersectRect(&both, &a, &b))
        overlaps.push_back(ToUtf8(ClassNameOf(own)) + " " + std::to_string(::GetDlgCtrlID(own)) + " of the dialog lies on \"" +
                           ToUtf8(TextOf(mine)) + "\"");
    }
  }
  return overlaps;
}

}  // namespace tickvane::test
