#include "common/win_text.h"

#include <vector>

namespace tickvane {
namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

}  // namespace

std::wstring FromAnsi(std::string_view text) { return Widen(CP_ACP, text); }
std::string ToAnsi(std::wstring_view text) { return Narrow(CP_ACP, text); }
std::wstring FromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }
std::string ToUtf8(std::wstring_view text) { return Narrow(CP_UTF8, text); }

std::wstring ProgramPath() {
  // Paths may be longer than MAX_PATH; grow until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ProgramDirectory() {
  std::wstring path = ProgramPath();
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n ? std::wstring(text, n) : std::wstring(L"Unknown error");
  if (text) ::LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  return message + L" (error " + std::to_wstring(code) + L")";
}

std::wstring WindowText(HWND window) {
  int n = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

}  // namespace tickvane
