#include "common/message_box_win.h"

#include <string>

namespace tickvane {

void ShowNotice(HWND owner, std::wstring_view text, std::wstring_view title) {
  ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(title).c_str(), MB_OK);
}

bool Confirm(HWND owner, std::wstring_view question) {
  ::MessageBeep(MB_OK);
  int answer = ::MessageBoxW(owner, std::wstring(question).c_str(), L"Are you sure?",
                             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
  return answer == IDYES;
}

}  // namespace tickvane
