#include "common/window_design.h"

#include <cmath>

namespace tickvane {
namespace {

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

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
