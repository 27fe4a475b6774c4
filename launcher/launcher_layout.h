// Design values of the launcher window `Form1` and what each of its options does.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/window_design.h"

namespace tickvane::launcher {

// The launcher's controls, by the names the code gives them; the values are their child window
// identifiers, in tab order.
enum class LauncherControlId : int { sierra = 100, tickvane, esignal, Label1 };

const WindowDesign& LauncherWindowDesign();

// One of the three choices: the question that confirms it, the notice shown after a Yes (or
// nullptr), and the converter's mode word (empty: the converter alone).
struct LauncherAction {
  LauncherControlId option;
  const wchar_t* question;
  const wchar_t* notice;
  const wchar_t* modeWord;
};

std::span<const LauncherAction> LauncherActions();
// The action of an option button; nullptr for the help label.
const LauncherAction* ActionOf(LauncherControlId option);

}  // namespace tickvane::launcher
