#include "converter/open_dialog_win.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace tickvane::converter {

std::optional<std::wstring> AskForTickFile(const std::wstring& folder, const std::wstring& suggested) {
  // Long paths: the dialog writes the chosen name into this buffer.
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring suggestedPath = folder + L"\\" + suggested;
  if (::GetFileAttributesW(suggestedPath.c_str()) != INVALID_FILE_ATTRIBUTES) suggested.copy(file.data(), file.size() - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = L"Recorded ticks (*.csv;*.txt)\0*.csv;*.txt\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = L"Genvane - choose the recorded ticks to replay";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace tickvane::converter
