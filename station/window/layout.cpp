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
using M = MainControlId;
using F = ChooserControlId;

// In tab order, as the identifiers count.
constexpr ControlDesign kMainControls[] = {
    {.id = ControlId(M::last), .name = L"last", .kind = K::TextBox, .text = L"last",
     .left = 0, .top = 0, .width = 855, .height = 375, .font = kBold825, .centred = true, .colour = C::ActiveCaptionText},
    {.id = ControlId(M::txtLinkTopic), .name = L"txtLinkTopic", .kind = K::TextBox, .text = L"playback",
     .left = 3000, .top = 1800, .width = 900, .height = 330, .hidden = true},
    {.id = ControlId(M::Label1), .name = L"Label1", .kind = K::Label, .text = L"Link Topic",
     .left = 2280, .top = 1800, .width = 825, .height = 285, .hidden = true},
    {.id = ControlId(M::Label2), .name = L"Label2", .kind = K::Label, .text = L"Link Item",
     .left = 4200, .top = 1800, .width = 735, .height = 285, .hidden = true},
    {.id = ControlId(M::txtLinkItem1), .name = L"txtLinkItem1", .kind = K::TextBox, .text = L"last",
     .left = 960, .top = 960, .width = 870, .height = 330, .hidden = true, .colour = C::ButtonFaceBack},
    {.id = ControlId(M::cbStartFastSend), .name = L"cbStartFastSend", .kind = K::Button, .text = L"Start",
     .left = 2520, .top = 0, .width = 855, .height = 375, .font = kBold825},
    {.id = ControlId(M::Text1), .name = L"Text1", .kind = K::TextBox, .text = L"zavo",
     .left = 1560, .top = 1800, .width = 480, .height = 405, .hidden = true, .colour = C::ButtonFaceBack},
    {.id = ControlId(M::cmdPause), .name = L"cmdPause", .kind = K::Button, .text = L"Pause",
     .left = 0, .top = 360, .width = 855, .height = 375, .font = kBold825},
    {.id = ControlId(M::cmdexit), .name = L"cmdexit", .kind = K::Button, .text = L"Exit",
     .left = 2520, .top = 360, .width = 855, .height = 375, .font = kBold825},
    {.id = ControlId(M::time), .name = L"time", .kind = K::TextBox, .text = L"time",
     .left = 840, .top = 0, .width = 855, .height = 375, .font = kBold825, .centred = true},
    {.id = ControlId(M::txtLinkItem2), .name = L"txtLinkItem2", .kind = K::TextBox, .text = L"time",
     .left = 5040, .top = 1680, .width = 870, .height = 330, .hidden = true, .colour = C::ButtonFaceBack},
    {.id = ControlId(M::speed), .name = L"speed", .kind = K::TextBox, .text = kDesignSpeed,
     .left = 1680, .top = 360, .width = 855, .height = 345, .font = kBold12, .centred = true},
    {.id = ControlId(M::Label3), .name = L"Label3", .kind = K::Label, .text = L"Speed",
     .left = 840, .top = 360, .width = 855, .height = 375, .font = kBold825, .disabled = true, .centred = true},
    {.id = ControlId(M::Label5), .name = L"Label5", .kind = K::Label, .text = L"Tickvane:",
     .left = 240, .top = 2040, .width = 855, .height = 255, .hidden = true},
    {.id = ControlId(M::vqfilename), .name = L"vqfilename", .kind = K::Label, .text = L"VQ filename",
     .left = 2640, .top = 960, .width = 855, .height = 375, .hidden = true, .centred = true},
    {.id = ControlId(M::more), .name = L"more", .kind = K::Button, .text = L">>",
     .left = 3360, .top = 0, .width = 855, .height = 375, .font = kBold975},
    {.id = ControlId(M::status), .name = L"status", .kind = K::Button, .text = L"Status",
     .left = 1680, .top = 0, .width = 855, .height = 375, .font = kBold825},
    {.id = ControlId(M::Forward), .name = L"Forward", .kind = K::Button, .text = L"Forward ticks",
     .left = 4200, .top = 0, .width = 1455, .height = 375, .font = kBold825},
    {.id = ControlId(M::tick), .name = L"tick", .kind = K::TextBox, .text = kDesignTicks,
     .left = 5640, .top = 0, .width = 855, .height = 375, .centred = true},
    {.id = ControlId(M::for_mins), .name = L"for_mins", .kind = K::Button, .text = L"Forward mins",
     .left = 4200, .top = 360, .width = 1455, .height = 375, .font = kBold825},
    {.id = ControlId(M::for_min), .name = L"for_min", .kind = K::TextBox, .text = kDesignMinutes,
     .left = 5640, .top = 360, .width = 855, .height = 375, .centred = true},
    {.id = ControlId(M::help), .name = L"help", .kind = K::Button, .text = L"Help",
     .left = 3360, .top = 360, .width = 855, .height = 375, .font = kBold825},
};

constexpr ControlDesign kChooserControls[] = {
    {.id = ControlId(F::vqfile), .name = L"vqfile", .kind = K::CheckBox, .text = L"vqfile.mnd ",
     .left = 120, .top = 360, .width = 1455, .height = 495, .font = kBold975},
    {.id = ControlId(F::IBM), .name = L"IBM", .kind = K::CheckBox, .text = L"IBM.mnd",
     .left = 1680, .top = 360, .width = 1455, .height = 495, .font = kBold975},
    {.id = ControlId(F::Label1), .name = L"Label1", .kind = K::Label, .text = L"Choose PlayBack filename:",
     .left = 120, .top = 0, .width = 3375, .height = 495, .font = kBoldItalic975},
    {.id = ControlId(F::msft), .name = L"msft", .kind = K::CheckBox, .text = L"msft.mnd",
     .left = 120, .top = 840, .width = 1455, .height = 495, .font = kBold975},
    {.id = ControlId(F::dji), .name = L"dji", .kind = K::CheckBox, .text = L"dji.mnd",
     .left = 1680, .top = 840, .width = 1335, .height = 495, .font = kBold975},
    {.id = ControlId(F::indu), .name = L"indu", .kind = K::CheckBox, .text = L"indu-i-nyse.mnd",
     .left = 120, .top = 1320, .width = 3015, .height = 495, .font = kBold975},
    {.id = ControlId(F::why), .name = L"why", .kind = K::Button, .text = L"What is it?",
     .left = 0, .top = 1920, .width = 3135, .height = 375, .font = kItalic12},
};

const WindowDesign kMainWindow{kMainWindowCaption, 4200, 705, kMainControls};
const WindowDesign kChooserWindow{L"Form1", 3075, 2250, kChooserControls};

}  // namespace

const WindowDesign& MainWindowDesign() { return kMainWindow; }
const WindowDesign& ChooserWindowDesign() { return kChooserWindow; }

bool IsDdeItem(const ControlDesign& control) {
  return control.kind == ControlKind::TextBox || control.kind == ControlKind::Label;
}

const wchar_t* StoredNameOf(ChooserControlId box) {
  switch (box) {
    case ChooserControlId::vqfile: return L"vqfile.mnd";  // the caption's blank is no part of the name
    case ChooserControlId::IBM: return L"ibm.mnd";
    case ChooserControlId::msft: return L"msft.mnd";
    case ChooserControlId::dji: return L"dji.mnd";
    case ChooserControlId::indu: return L"indu-i-nyse.mnd";
    case ChooserControlId::Label1:
    case ChooserControlId::why: break;
  }
  return nullptr;
}

}  // namespace tickvane
