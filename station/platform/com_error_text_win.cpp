#include "station/platform/com_error_text_win.h"

#include <cwchar>

namespace tickvane {

std::wstring HResultText(HRESULT code) {
  wchar_t* text = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n ? std::wstring(text, n) : std::wstring(L"Unknown error");
  if (text) ::LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                              message.back() == L'.'))
    message.pop_back();
  wchar_t number[16];
  std::swprintf(number, 16, L"%08lX", static_cast<unsigned long>(code));
  return message + L" (0x" + number + L")";
}

}  // namespace tickvane
