#include "common/window_design.h"

#include <cmath>

#include "common/ascii_case.h"

namespace tickvane {

const ControlDesign* FindControl(const WindowDesign& window, std::wstring_view name) {
  for (const ControlDesign& c : window.controls)
    if (name == c.name) return &c;
  return nullptr;
}

const ControlDesign* FindControlNoCase(const WindowDesign& window, std::wstring_view name) {
  for (const ControlDesign& c : window.controls)
    if (EqualNoCase(name, c.name)) return &c;
  return nullptr;
}

const ControlDesign* FindControlById(const WindowDesign& window, int id) {
  for (const ControlDesign& c : window.controls)
    if (c.id == id) return &c;
  return nullptr;
}

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

int PointsToPixels(double points, int dpi) {
  return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace tickvane
