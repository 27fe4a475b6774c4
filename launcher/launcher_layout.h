// Design values of the launcher window `Form1` and what each of its options does.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/window_design.h"

namespace tickvane::launcher {

const WindowDesign& LauncherWindowDesign();

// One of the three choices: the question that confirms it, the notice shown after a Yes (or
// nullptr), and the converter's mode word (empty: the converter alone).
struct LauncherAction {
  const wchar_t* option;  // name of the option button
  const wchar_t* question;
  const wchar_t* notice;
  const wchar_t* modeWord;
};

std::span<const LauncherAction> LauncherActions();
const LauncherAction* FindAction(const wchar_t* option);

// The help page's address as explorer takes it: the path of help.html in the program folder, in
// quotes. The station's Help button opens the same page the same way.
std::wstring HelpPageAddress(std::wstring_view programFolder);

}  // namespace tickvane::launcher
