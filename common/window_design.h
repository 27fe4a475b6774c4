// Design values of a window: every control's name, kind, text, place, font and states, in tab
// order. Places are in twips (1440 per inch, 15 per pixel at 96 dpi), measured from the top left
// corner of the client area. Both programs describe their windows this way.
#pragma once

#include <span>
#include <string_view>

namespace tickvane {

enum class ControlKind { TextBox, Label, Button, CheckBox, OptionButton };

// Every font of the toolset is MS Sans Serif with character set 0.
struct FontDesign {
  double points;
  int weight;  // 400 regular, 700 bold
  bool italic;
};

inline constexpr FontDesign kWindowFont{8.25, 400, false};

enum class ControlColour {
  Standard,
  ActiveCaptionText,  // text in the system's active title bar colour
  ButtonFaceBack,     // background in the system's button face colour
};

// One row of a design table, written with the fields' names: a field left out keeps the default
// below (the window's font, visible, enabled, not centred, standard colours).
struct ControlDesign {
  int id = 0;  // child window identifier
  const wchar_t* name = L"";
  ControlKind kind = ControlKind::Label;
  const wchar_t* text = L"";  // design caption or text
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  FontDesign font = kWindowFont;
  bool hidden = false;
  bool disabled = false;
  bool centred = false;
  ControlColour colour = ControlColour::Standard;
};

// The child window identifier of a control named in a window's own id enum.
template <typename Id>
constexpr int ControlId(Id id) {
  return static_cast<int>(id);
}

struct WindowDesign {
  const wchar_t* caption;
  int clientWidth;  // twips
  int clientHeight;
  std::span<const ControlDesign> controls;
};

// The control of that name (exact, as the code names it), or nullptr.
const ControlDesign* FindControl(const WindowDesign& window, std::wstring_view name);
// The control of that name compared case-insensitively (ASCII), as DDE item names are; or nullptr.
const ControlDesign* FindControlNoCase(const WindowDesign& window, std::wstring_view name);
const ControlDesign* FindControlById(const WindowDesign& window, int id);

// Twips to pixels at the given dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);
// A font's character height in pixels at the given dots per inch.
int PointsToPixels(double points, int dpi);

}  // namespace tickvane
