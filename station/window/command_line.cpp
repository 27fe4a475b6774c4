#include "station/window/command_line.h"

namespace tickvane {

std::wstring_view ArgumentText(std::wstring_view commandLine) {
  size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    size_t close = commandLine.find(L'"', 1);
    i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
  }
  // One separator after the name belongs to the name; any further blanks are the arguments'
  // own, and the word splitting passes over them anyway.
  if (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  return commandLine.substr(i);
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view argumentText, int maxWords) {
  std::vector<std::wstring> words(1);
  bool inWord = false;
  for (wchar_t c : argumentText) {
    if (c != L' ' && c != L'\t') {
      if (!inWord) {
        if (static_cast<int>(words.size()) - 1 >= maxWords) break;
        words.emplace_back();
        inWord = true;
      }
      words.back() += c;
    } else {
      inWord = false;
    }
  }
  return words;
}

StationMode ModeOf(const std::vector<std::wstring>& commandArgs) {
  if (commandArgs.size() < 2) return StationMode::DdeOnly;
  if (commandArgs[1] == L"sierra") return StationMode::Sierra;
  if (commandArgs[1] == L"esignal") return StationMode::Esignal;
  return StationMode::DdeOnly;
}

}  // namespace tickvane
