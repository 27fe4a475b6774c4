#include "launcher/launcher_layout.h"

#include <string>
#include <string_view>

#include "launcher/launcher_texts.h"

namespace tickvane::launcher {
namespace {

constexpr FontDesign kBold975{9.75, 700, false};
constexpr FontDesign kBold135{13.5, 700, false};

using K = ControlKind;
using L = LauncherControlId;

// In tab order. sierra and esignal are wider than the client area.
constexpr ControlDesign kControls[] = {
    {.id = ControlId(L::sierra), .name = L"sierra", .kind = K::OptionButton, .text = L"Go to SierraChart Playback",
     .left = 0, .top = 0, .width = 5295, .height = 495, .font = kBold975},
    {.id = ControlId(L::tickvane), .name = L"tickvane", .kind = K::OptionButton,
     .text = L"Generate Playback File and Start DDE Server", .left = 0, .top = 480, .width = 5055, .height = 615,
     .font = kBold975},
    {.id = ControlId(L::esignal), .name = L"esignal", .kind = K::OptionButton,
     .text = L"Generate Esignal Playback File Only", .left = 0, .top = 1080, .width = 5295, .height = 735,
     .font = kBold975},
    {.id = ControlId(L::Label1), .name = L"Label1", .kind = K::Label, .text = L"Help ",
     .left = 0, .top = 1800, .width = 5175, .height = 375, .font = kBold135, .centred = true},
};

const WindowDesign kWindow{kCaption, 5145, 2220, kControls};

constexpr LauncherAction kActions[] = {
    {L::sierra, kSierraQuestion, kSierraNotice, L"sierra"},
    {L::tickvane, kTickvaneQuestion, nullptr, L"ddeonly"},
    {L::esignal, kEsignalQuestion, nullptr, L""},
};

}  // namespace

const WindowDesign& LauncherWindowDesign() { return kWindow; }

std::span<const LauncherAction> LauncherActions() { return kActions; }

const LauncherAction* ActionOf(LauncherControlId option) {
  for (const LauncherAction& a : kActions)
    if (a.option == option) return &a;
  return nullptr;
}

}  // namespace tickvane::launcher
