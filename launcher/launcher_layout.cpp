#include "launcher/launcher_layout.h"

#include <string>
#include <string_view>

#include "launcher/launcher_texts.h"

namespace tickvane::launcher {
namespace {

constexpr FontDesign kBold975{9.75, 700, false};
constexpr FontDesign kBold135{13.5, 700, false};

using K = ControlKind;
using C = ControlColour;

// Identifiers follow the tab order. sierra and esignal are wider than the client area.
constexpr ControlDesign kControls[] = {
    {100, L"sierra", K::OptionButton, L"Go to SierraChart Playback", 0, 0, 5295, 495, kBold975, false, false, false, C::Standard, nullptr},
    {101, L"tickvane", K::OptionButton, L"Generate Playback File and Start DDE Server", 0, 480, 5055, 615, kBold975, false, false, false, C::Standard, nullptr},
    {102, L"esignal", K::OptionButton, L"Generate Esignal Playback File Only", 0, 1080, 5295, 735, kBold975, false, false, false, C::Standard, nullptr},
    {103, L"Label1", K::Label, L"Help ", 0, 1800, 5175, 375, kBold135, false, false, true, C::Standard, nullptr},
};

const WindowDesign kWindow{kCaption, 5145, 2220, kControls};

constexpr LauncherAction kActions[] = {
    {L"sierra", kSierraQuestion, kSierraNotice, L"sierra"},
    {L"tickvane", kTickvaneQuestion, nullptr, L"ddeonly"},
    {L"esignal", kEsignalQuestion, nullptr, L""},
};

}  // namespace

const WindowDesign& LauncherWindowDesign() { return kWindow; }

std::span<const LauncherAction> LauncherActions() { return kActions; }

const LauncherAction* FindAction(const wchar_t* option) {
  for (const LauncherAction& a : kActions)
    if (std::wstring_view(a.option) == option) return &a;
  return nullptr;
}

std::wstring HelpPageAddress(std::wstring_view programFolder) {
  // In quotes, because explorer would cut a path with blanks ("Program Files") into pieces.
  return L"\"" + std::wstring(programFolder) + L"\\" + kHelpFileName + L"\"";
}

}  // namespace tickvane::launcher
