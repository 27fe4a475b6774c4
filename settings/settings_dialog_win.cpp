#include "settings/settings_dialog_win.h"

#include "common/chart_location.h"
#include "common/time_zone_registry_win.h"
#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "settings/chart_folder_check_win.h"
#include "settings/folder_picker_win.h"
#include "settings/settings_ids.h"
#include "settings/settings_texts.h"
#include "settings/sierra_chart_search_win.h"

namespace tickvane::settings {

INT_PTR SettingsDialog::Run(HINSTANCE instance) {
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, &SettingsDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK SettingsDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<SettingsDialog*>(lParam);
    self->dialog_ = dialog;
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->OnInit();
    // OnInit has put the focus where the user starts: on the chart folder's chosen way.
    return FALSE;
  }
  auto* self = reinterpret_cast<SettingsDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_COMMAND) {
    self->OnCommand(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

void SettingsDialog::OnInit() {
  const UserSettings settings = ReadUserSettings();
  ::SetDlgItemTextW(dialog_, IDC_FOLDER, settings.chartFolder.c_str());
  ChooseIntoFolder(!settings.chartFolder.empty());

  zones_ = MakeZoneChoices(SystemTimeZones(), settings.recordingTimeZone);
  HWND list = ::GetDlgItem(dialog_, IDC_ZONE);
  for (const ZoneChoice& zone : zones_.entries)
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zone.text.c_str()));
  ::SendMessageW(list, CB_SETCURSEL, zones_.selected, 0);

  const int chosen = settings.chartFolder.empty() ? IDC_BESIDE_PROGRAMS : IDC_INTO_FOLDER;
  ::SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog_, chosen)), TRUE);
}

void SettingsDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_INTO_FOLDER: ChooseIntoFolder(true); break;
    case IDC_BESIDE_PROGRAMS: ChooseIntoFolder(false); break;
    case IDC_BROWSE: Browse(); break;
    case IDC_FIND_SIERRA: FindSierraChart(); break;
    case IDOK:
      if (Save()) ::EndDialog(dialog_, IDOK);
      break;
    case IDCANCEL: ::EndDialog(dialog_, IDCANCEL); break;
    default: break;
  }
}

void SettingsDialog::ChooseIntoFolder(bool intoFolder) {
  ::CheckDlgButton(dialog_, IDC_INTO_FOLDER, intoFolder ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(dialog_, IDC_BESIDE_PROGRAMS, intoFolder ? BST_UNCHECKED : BST_CHECKED);
  // The box keeps its text while it is off, so that choosing the folder again brings it back.
  ::EnableWindow(::GetDlgItem(dialog_, IDC_FOLDER), intoFolder);
}

void SettingsDialog::Browse() {
  const std::wstring typed = TrimmedSetting(WindowText(::GetDlgItem(dialog_, IDC_FOLDER)));
  PickedFolder picked = PickFolder(dialog_, L"Sierra Chart's Data Files folder", typed);
  if (FAILED(picked.error)) {
    Complain(L"The folder picker could not be shown: " + SystemErrorText(static_cast<DWORD>(picked.error)) +
                 L" Type the folder into the box instead.",
             IDC_FOLDER);
    return;
  }
  if (!picked.folder) return;
  ::SetDlgItemTextW(dialog_, IDC_FOLDER, picked.folder->c_str());
  ChooseIntoFolder(true);
}

void SettingsDialog::FindSierraChart() {
  std::optional<std::wstring> found = FindSierraChartDataFolder();
  if (!found) {
    Complain(L"No Sierra Chart Data folder was found in the usual places: SierraChart\\Data (also SierraChart2 to "
             L"SierraChart9) at the root of each fixed drive, and SierraChart\\Data in Program Files and "
             L"Program Files (x86). Pick the folder that Sierra Chart's General Settings name as its Data Files "
             L"Folder with Browse....",
             IDC_BROWSE);
    return;
  }
  ::SetDlgItemTextW(dialog_, IDC_FOLDER, found->c_str());
  ChooseIntoFolder(true);
}

bool SettingsDialog::Save() {
  UserSettings settings;
  if (::IsDlgButtonChecked(dialog_, IDC_INTO_FOLDER) == BST_CHECKED) {
    settings.chartFolder = TrimmedSetting(WindowText(::GetDlgItem(dialog_, IDC_FOLDER)));
    if (std::optional<std::wstring> problem = ChartFolderProblem(settings.chartFolder)) {
      Complain(*problem + L" Nothing was saved.", IDC_FOLDER);
      return false;
    }
  }
  const LRESULT selected = ::SendDlgItemMessageW(dialog_, IDC_ZONE, CB_GETCURSEL, 0, 0);
  if (selected >= 0 && static_cast<size_t>(selected) < zones_.entries.size()) {
    const ZoneChoice& zone = zones_.entries[static_cast<size_t>(selected)];
    if (!zone.known) {
      Complain(L"The time zone \"" + zone.keyName + L"\" is not a time zone of this system, so a replay would stop "
               L"on it. Choose one from the list, or the first entry to write the times as recorded. Nothing was saved.",
               IDC_ZONE);
      return false;
    }
    settings.recordingTimeZone = zone.keyName;
  }
  const LSTATUS status = WriteUserSettings(settings);
  if (status != ERROR_SUCCESS) {
    Complain(std::wstring(L"The settings could not be saved in ") + kSettingsKeyFull + L": " +
                 SystemErrorText(static_cast<DWORD>(status)),
             IDOK);
    return false;
  }
  return true;
}

void SettingsDialog::Complain(const std::wstring& text, int focusId) {
  ::MessageBoxW(dialog_, text.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
  HWND control = ::GetDlgItem(dialog_, focusId);
  ::SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  if (focusId == IDC_FOLDER) ::SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace tickvane::settings
