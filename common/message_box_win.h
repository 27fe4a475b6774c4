// The message boxes both programs show: notices and Yes/No confirmations.
#pragma once

#include <windows.h>

#include <string_view>

namespace tickvane {

// A notice: OK button only, no icon, the program's title as caption. Returns when it is closed.
void ShowNotice(HWND owner, std::wstring_view text, std::wstring_view title);

// A confirmation: the default beep, then the question with Yes and No and the question icon under
// the title "Are you sure?", Yes being the default button. Only Yes counts as consent.
bool Confirm(HWND owner, std::wstring_view question);

}  // namespace tickvane
