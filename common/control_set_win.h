// The child controls of one window, made from its design table at the window's actual DPI.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "common/handle_owners_win.h"
#include "common/window_design.h"

namespace tickvane {

// Dots per inch of the monitor that shows the window (the system's when that cannot be asked).
int WindowDpi(HWND window);

// A window's outer size for a client area given in twips, at the window's DPI.
SIZE OuterSizeForClient(DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips, int dpi);

// Creates a top-level window whose client area is the design's, at the DPI of the monitor it
// lands on, where the system places new windows. createParam reaches WM_NCCREATE.
HWND CreateDesignedWindow(const wchar_t* className, const WindowDesign& design, DWORD style, DWORD exStyle,
                          void* createParam);

class ControlSet {
 public:
  // Creates every control of the table as a child of parent, in tab order (the z-order that
  // keyboard navigation follows), with its text, place, font, and hidden and disabled states.
  ControlSet(HWND parent, const WindowDesign& design);
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  HWND operator[](std::wstring_view name) const;  // the control of that exact name; never null
  HWND ById(int id) const;                          // nullptr when no control has that id
  const ControlDesign* DesignOf(HWND control) const;    // nullptr when not one of ours
  const WindowDesign& Design() const { return design_; }
  int Dpi() const { return dpi_; }

 private:
  HFONT FontFor(const FontDesign& font);

  const WindowDesign& design_;
  int dpi_;
  std::vector<HWND> controls_;  // same order as design_.controls; owned by the parent window
  struct Font {
    FontDesign design;
    UniqueFont handle;
  };
  std::vector<Font> fonts_;
};

}  // namespace tickvane
