#include "component/chart_file_name.h"

#include <array>

namespace tickvane::chart {
namespace {

// ASCII letters only: Windows compares the reserved names and endings below that way.
std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return out;
}

bool IsDeviceName(std::wstring_view name) {
  // Windows maps these to devices whatever extension follows them.
  std::wstring stem = Lower(name.substr(0, name.find(L'.')));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  static const std::array<const wchar_t*, 6> plain = {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"};
  for (const wchar_t* d : plain)
    if (stem == d) return true;
  return stem.size() == 4 && (stem.starts_with(L"com") || stem.starts_with(L"lpt")) && stem[3] >= L'0' &&
         stem[3] <= L'9';
}

}  // namespace

std::optional<std::wstring> ChartFileNameProblem(std::wstring_view name) {
  if (name.empty()) return L"the name is empty";
  if (name.size() > 200) return L"the name is longer than 200 characters";
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F) return L"the name holds a control character";
    if (c == L'\\' || c == L'/') return L"the name holds a path separator";
    if (c == L':') return L"the name holds a colon (a drive or a stream)";
    if (c == L'*' || c == L'?' || c == L'<' || c == L'>' || c == L'|' || c == L'"')
      return std::wstring(L"the name holds the character ") + c;
  }
  if (name.find(L"..") != std::wstring_view::npos) return L"the name holds \"..\"";
  if (name.front() == L' ' || name.back() == L' ' || name.back() == L'.')
    return L"the name begins or ends with a blank or ends with a dot";
  if (IsDeviceName(name)) return L"the name is a device name";
  const std::wstring lower = Lower(name);
  for (const wchar_t* ext : {L".exe", L".dll", L".epf"})
    if (lower.ends_with(ext)) return std::wstring(L"the name ends in ") + ext;
  return std::nullopt;
}

}  // namespace tickvane::chart
