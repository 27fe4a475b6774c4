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

struct ControlDesign {
  int id;  // child window identifier
  const wchar_t* name;
  ControlKind kind;
  const wchar_t* text;  // design caption or text
  int left;
  int top;
  int width;
  int height;
  FontDesign font;
  bool hidden;
  bool disabled;
  bool centred;
  ControlColour colour;
  const wchar_t* storedName;  // chooser check boxes: the chart file name that a pick stores
};

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
