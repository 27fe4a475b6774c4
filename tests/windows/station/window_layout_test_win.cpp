// The main window as a user sees it: caption, size, order, and every control at its place.
#include <gtest/gtest.h>

#include "common/window_design.h"
#include "station/window/layout.h"
#include "tests/windows/station/station_fixture_win.h"

namespace tickvane::test {
namespace {

int Px(int twips) { return (twips * ScreenDpi() + 720) / 1440; }

std::wstring ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox: return L"Edit";
    case ControlKind::Label: return L"Static";
    default: return L"Button";
  }
}

class MainWindowLayout : public StationTest {};

TEST_F(MainWindowLayout, EveryControlAtItsDesignPlaceWithItsDesignText) {
  StartStation(L"ddeonly");
  HWND main = WaitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_TRUE(IsTopmostWithCaptionAndSize(main, L"DDE support@tickvane.example", {Px(4200), Px(705)}));

  for (const ControlDesign& c : MainWindowDesign().controls) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    HWND control = MainControl(c.name);
    ASSERT_TRUE(control);
    EXPECT_EQ(_wcsicmp(ClassNameOf(control).c_str(), ExpectedClass(c.kind).c_str()), 0);
    EXPECT_EQ(TextOf(control), c.text);
    EXPECT_TRUE(PlacedAt(control, Px(c.left), Px(c.top), Px(c.width), Px(c.height)));
    EXPECT_EQ(::IsWindowVisible(control) != 0, !c.hidden);
    // DDE only: no wide view, and the forward controls are kept out of reach.
    const std::wstring_view name = c.name;
    bool enabled = !c.disabled && name != L"more" && name != L"Forward" && name != L"tick" && name != L"for_mins" &&
                   name != L"for_min";
    EXPECT_EQ(::IsWindowEnabled(control) != 0, enabled);
  }
  SaveScreenshot(main, ArtifactPath(L"station-window.bmp"));
}

// Places and states read off the design directly, so a slip in the table shows up here too.
struct DesignPoint {
  const wchar_t* name;
  int left, top, width, height;
  bool centred;
};

TEST_F(MainWindowLayout, KeyControlsFromTheDesign) {
  StartStation(L"");
  ASSERT_TRUE(WaitForMainWindow());
  const DesignPoint points[] = {
      {L"last", 0, 0, 855, 375, true},        {L"time", 840, 0, 855, 375, true},
      {L"speed", 1680, 360, 855, 345, true},  {L"cbStartFastSend", 2520, 0, 855, 375, false},
      {L"Forward", 4200, 0, 1455, 375, false}, {L"for_min", 5640, 360, 855, 375, true},
      {L"vqfilename", 2640, 960, 855, 375, true},
  };
  for (const DesignPoint& p : points) {
    SCOPED_TRACE(std::string(p.name, p.name + wcslen(p.name)));
    HWND control = MainControl(p.name);
    EXPECT_TRUE(PlacedAt(control, Px(p.left), Px(p.top), Px(p.width), Px(p.height)));
    LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    bool centred = ClassNameOf(control) == L"Static" ? (style & SS_TYPEMASK) == SS_CENTER : (style & ES_CENTER) != 0;
    EXPECT_EQ(centred, p.centred);
  }
  // The fast-forward controls lie beyond the narrow view; the hidden ones below the client area.
  EXPECT_GE(ChildRect(MainControl(L"Forward")).left, ClientSize(main_).cx);
  EXPECT_FALSE(::IsWindowVisible(MainControl(L"txtLinkTopic")));
  EXPECT_FALSE(::IsWindowEnabled(MainControl(L"Label3")));
  EXPECT_EQ(TextOf(MainControl(L"txtLinkTopic")), L"playback");
}

}  // namespace
}  // namespace tickvane::test
