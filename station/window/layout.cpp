#include "station/window/layout.h"

#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

constexpr FontDesign kBold825{8.25, 700, false};
constexpr FontDesign kBold975{9.75, 700, false};
constexpr FontDesign kBold12{12, 700, false};
constexpr FontDesign kBoldItalic975{9.75, 700, true};
constexpr FontDesign kItalic12{12, 400, true};

using K = ControlKind;
using C = ControlColour;

// Identifiers follow the tab order, so a control's place in the table and its id agree.
constexpr ControlDesign kMainControls[] = {
    {1000, L"last", K::TextBox, L"last", 0, 0, 855, 375, kBold825, false, false, true, C::ActiveCaptionText, nullptr},
    {1001, L"txtLinkTopic", K::TextBox, L"playback", 3000, 1800, 900, 330, kWindowFont, true, false, false, C::Standard, nullptr},
    {1002, L"Label1", K::Label, L"Link Topic", 2280, 1800, 825, 285, kWindowFont, true, false, false, C::Standard, nullptr},
    {1003, L"Label2", K::Label, L"Link Item", 4200, 1800, 735, 285, kWindowFont, true, false, false, C::Standard, nullptr},
    {1004, L"txtLinkItem1", K::TextBox, L"last", 960, 960, 870, 330, kWindowFont, true, false, false, C::ButtonFaceBack, nullptr},
    {1005, L"cbStartFastSend", K::Button, L"Start", 2520, 0, 855, 375, kBold825, false, false, false, C::Standard, nullptr},
    {1006, L"Text1", K::TextBox, L"zavo", 1560, 1800, 480, 405, kWindowFont, true, false, false, C::ButtonFaceBack, nullptr},
    {1007, L"cmdPause", K::Button, L"Pause", 0, 360, 855, 375, kBold825, false, false, false, C::Standard, nullptr},
    {1008, L"cmdexit", K::Button, L"Exit", 2520, 360, 855, 375, kBold825, false, false, false, C::Standard, nullptr},
    {1009, L"time", K::TextBox, L"time", 840, 0, 855, 375, kBold825, false, false, true, C::Standard, nullptr},
    {1010, L"txtLinkItem2", K::TextBox, L"time", 5040, 1680, 870, 330, kWindowFont, true, false, false, C::ButtonFaceBack, nullptr},
    {1011, L"speed", K::TextBox, L"2", 1680, 360, 855, 345, kBold12, false, false, true, C::Standard, nullptr},
    {1012, L"Label3", K::Label, L"Speed", 840, 360, 855, 375, kBold825, false, true, true, C::Standard, nullptr},
    {1013, L"Label5", K::Label, L"Tickvane:", 240, 2040, 855, 255, kWindowFont, true, false, false, C::Standard, nullptr},
    {1014, L"vqfilename", K::Label, L"VQ filename", 2640, 960, 855, 375, kWindowFont, true, false, true, C::Standard, nullptr},
    {1015, L"more", K::Button, L">>", 3360, 0, 855, 375, kBold975, false, false, false, C::Standard, nullptr},
    {1016, L"status", K::Button, L"Status", 1680, 0, 855, 375, kBold825, false, false, false, C::Standard, nullptr},
    {1017, L"Forward", K::Button, L"Forward ticks", 4200, 0, 1455, 375, kBold825, false, false, false, C::Standard, nullptr},
    {1018, L"tick", K::TextBox, L"1000", 5640, 0, 855, 375, kWindowFont, false, false, true, C::Standard, nullptr},
    {1019, L"for_mins", K::Button, L"Forward mins", 4200, 360, 1455, 375, kBold825, false, false, false, C::Standard, nullptr},
    {1020, L"for_min", K::TextBox, L"9", 5640, 360, 855, 375, kWindowFont, false, false, true, C::Standard, nullptr},
    {1021, L"help", K::Button, L"Help", 3360, 360, 855, 375, kBold825, false, false, false, C::Standard, nullptr},
};

constexpr ControlDesign kChooserControls[] = {
    {2000, L"vqfile", K::CheckBox, L"vqfile.mnd ", 120, 360, 1455, 495, kBold975, false, false, false, C::Standard, L"vqfile.mnd"},
    {2001, L"IBM", K::CheckBox, L"IBM.mnd", 1680, 360, 1455, 495, kBold975, false, false, false, C::Standard, L"ibm.mnd"},
    {2002, L"Label1", K::Label, L"Choose PlayBack filename:", 120, 0, 3375, 495, kBoldItalic975, false, false, false, C::Standard, nullptr},
    {2003, L"msft", K::CheckBox, L"msft.mnd", 120, 840, 1455, 495, kBold975, false, false, false, C::Standard, L"msft.mnd"},
    {2004, L"dji", K::CheckBox, L"dji.mnd", 1680, 840, 1335, 495, kBold975, false, false, false, C::Standard, L"dji.mnd"},
    {2005, L"indu", K::CheckBox, L"indu-i-nyse.mnd", 120, 1320, 3015, 495, kBold975, false, false, false, C::Standard, L"indu-i-nyse.mnd"},
    {2006, L"why", K::Button, L"What is it?", 0, 1920, 3135, 375, kItalic12, false, false, false, C::Standard, nullptr},
};

const WindowDesign kMainWindow{kMainWindowCaption, 4200, 705, kMainControls};
const WindowDesign kChooserWindow{L"Form1", 3075, 2250, kChooserControls};

}  // namespace

const WindowDesign& MainWindowDesign() { return kMainWindow; }
const WindowDesign& ChooserWindowDesign() { return kChooserWindow; }

bool IsDdeItem(const ControlDesign& control) {
  return control.kind == ControlKind::TextBox || control.kind == ControlKind::Label;
}

}  // namespace tickvane
