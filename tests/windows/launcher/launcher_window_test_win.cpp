// The launcher window as a user sees it: caption, size, order, controls, fonts, icon, one copy.
#include <gtest/gtest.h>

#include "launcher/launcher_texts.h"
#include "tests/windows/launcher/launcher_fixture_win.h"

namespace tickvane::test {
namespace {

int Px(int twips) { return (twips * ScreenDpi() + 720) / 1440; }

// The design, written out here rather than taken from the launcher's table, so that a slip in
// the table shows up.
struct DesignControl {
  const wchar_t* name;
  const wchar_t* className;
  const wchar_t* text;
  int left, top, width, height;
};

const DesignControl kDesign[] = {
    {L"sierra", L"Button", L"Go to SierraChart Playback", 0, 0, 5295, 495},
    {L"tickvane", L"Button", L"Generate Playback File and Start DDE Server", 0, 480, 5055, 615},
    {L"esignal", L"Button", L"Generate Esignal Playback File Only", 0, 1080, 5295, 735},
    {L"Label1", L"Static", L"Help ", 0, 1800, 5175, 375},
};

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

class LauncherWindow : public LauncherTest {};

TEST_F(LauncherWindow, CaptionSizeOrderAndControlsAsDesigned) {
  StartLauncher();
  HWND window = WaitForLauncher();
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsTopmostWithCaptionAndSize(window, L"ZavoPlayBackStartMenu  support@tickvane.example",
                                          {Px(5145), Px(2220)}));

  HWND previous = nullptr;
  for (const DesignControl& d : kDesign) {
    SCOPED_TRACE(Narrow(d.name));
    HWND control = Control(d.name);
    ASSERT_TRUE(control);
    EXPECT_EQ(_wcsicmp(ClassNameOf(control).c_str(), d.className), 0);
    EXPECT_EQ(TextOf(control), d.text);
    EXPECT_TRUE(PlacedAt(control, Px(d.left), Px(d.top), Px(d.width), Px(d.height)));
    EXPECT_TRUE(::IsWindowVisible(control));
    // Tab order is the z-order of the children.
    EXPECT_EQ(::GetWindow(control, GW_HWNDPREV), previous);
    previous = control;

    LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    if (d.className == std::wstring_view(L"Button")) {
      EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
      EXPECT_EQ(::SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);  // none chosen at start
    } else {
      EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER);
      EXPECT_TRUE(style & SS_NOTIFY) << "the label would not hear clicks";
    }
  }
  // The three options form one group.
  EXPECT_TRUE(::GetWindowLongPtrW(Control(L"sierra"), GWL_STYLE) & WS_GROUP);
  EXPECT_FALSE(::GetWindowLongPtrW(Control(L"tickvane"), GWL_STYLE) & WS_GROUP);
  EXPECT_FALSE(::GetWindowLongPtrW(Control(L"esignal"), GWL_STYLE) & WS_GROUP);
  // Fonts and the caption's icon are handles of the launcher's process, which Wine does not
  // answer for from outside: the screenshot shows them.
  SaveScreenshot(window, ArtifactPath(L"launcher-window.bmp"));
}

#pragma pack(push, 2)
struct IconGroupEntry {  // one entry of an RT_GROUP_ICON resource
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(LauncherWindow, ProgramIconIsOne128By68ImageIn24BitColour) {
  UniqueModule program(::LoadLibraryExW(program_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(program);
  HMODULE module = program.get();
  HRSRC group = ::FindResourceW(module, L"APPICON", RT_GROUP_ICON);
  ASSERT_TRUE(group) << "no icon named APPICON";
  const auto* header = static_cast<const WORD*>(::LockResource(::LoadResource(module, group)));
  ASSERT_TRUE(header);
  EXPECT_EQ(header[1], 1);  // an icon
  ASSERT_EQ(header[2], 1);  // one image
  const auto* entry = reinterpret_cast<const IconGroupEntry*>(header + 3);
  EXPECT_EQ(entry->width, 128);
  EXPECT_EQ(entry->height, 68);
  EXPECT_EQ(entry->bitCount, 24);
  HRSRC image = ::FindResourceW(module, MAKEINTRESOURCEW(entry->id), RT_ICON);
  ASSERT_TRUE(image);
  const auto* bitmap = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(module, image)));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->biWidth, 128);
  EXPECT_EQ(bitmap->biHeight, 2 * 68);
  EXPECT_EQ(bitmap->biBitCount, 24);
  // Drawn, not blank: the first row holds more than one colour.
  const auto* pixels = reinterpret_cast<const BYTE*>(bitmap + 1);
  bool varied = false;
  for (int x = 1; x < 128 && !varied; ++x) varied = memcmp(pixels, pixels + 3 * x, 3) != 0;
  EXPECT_TRUE(varied);
}

TEST_F(LauncherWindow, SecondCopyEndsWithoutShowingAnything) {
  StartLauncher();
  ASSERT_TRUE(WaitForLauncher());
  EXPECT_TRUE(SecondCopyEndsQuietly(program_, L"", folder_->Path()));
  // The first one is not disturbed.
  EXPECT_TRUE(launcher_.Running());
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_EQ(CountMessageBoxes(launcher_.Id()), 0);
}

}  // namespace
}  // namespace tickvane::test
