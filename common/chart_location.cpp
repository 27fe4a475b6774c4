#include "common/chart_location.h"

namespace tickvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring ChartFilePath(std::wstring_view chartFolder, std::wstring_view programFolder, std::wstring_view name) {
  if (chartFolder.empty()) return std::wstring(programFolder) + L"\\" + std::wstring(name);
  while (chartFolder.size() > 1 && IsSeparator(chartFolder.back())) chartFolder.remove_suffix(1);
  return std::wstring(chartFolder) + L"\\" + std::wstring(name) + L".scid";
}

bool IsFullFolderPath(std::wstring_view folder) {
  if (folder.size() >= 3 && IsLetter(folder[0]) && folder[1] == L':' && IsSeparator(folder[2])) return true;
  return folder.size() >= 3 && IsSeparator(folder[0]) && IsSeparator(folder[1]) && !IsSeparator(folder[2]);
}

std::wstring TrimmedSetting(std::wstring_view text) {
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::wstring(text);
}

}  // namespace tickvane
