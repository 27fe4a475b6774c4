#include "common/win_text_win.h"

#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "common/handle_owners_win.h"

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

std::wstring ModuleFilePath(HMODULE module) {
  // Paths may be longer than MAX_PATH; grow until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring FolderOf(std::wstring_view path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

std::wstring ProgramPath() { return ModuleFilePath(nullptr); }

std::wstring ProgramDirectory() { return FolderOf(ProgramPath()); }

std::vector<std::wstring> ProgramArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  UniqueLocalMemory words(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!words) return arguments;
  auto* argv = static_cast<wchar_t**>(words.get());
  for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

namespace {

// FormatMessage's text for a message id, without the line break it ends with; empty when the
// system has none.
std::wstring MessageText(DWORD id) {
  wchar_t* text = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, id, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  UniqueLocalMemory owner(text);
  std::wstring message = n ? std::wstring(text, n) : std::wstring();
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  return message;
}

}  // namespace

std::wstring SystemErrorText(DWORD code) {
  std::wstring message = MessageText(code);
  if (message.empty()) message = L"Unknown error";
  return message + L" (error " + std::to_wstring(code) + L")";
}

std::wstring HResultText(HRESULT code) {
  std::wstring message = MessageText(static_cast<DWORD>(code));
  while (!message.empty() && message.back() == L'.') message.pop_back();
  if (message.empty()) message = L"Unknown error";
  wchar_t number[16];
  std::swprintf(number, 16, L"%08lX", static_cast<unsigned long>(code));
  return message + L" (0x" + number + L")";
}

std::wstring WindowText(HWND window) {
  int n = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

}  // namespace tickvane
