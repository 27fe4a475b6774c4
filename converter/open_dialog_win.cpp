#include "converter/open_dialog_win.h"

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "common/handle_owners_win.h"

namespace tickvane::converter {
namespace {

constexpr UINT_PTR kLookTimer = 1;
// Sent to itself once the dialog has laid itself out and shown: the panel then arranges itself.
constexpr UINT kArrange = WM_APP + 1;
// The panel looks at the file name box this often: a name typed or picked shows its finding.
constexpr UINT kLookEveryMs = 250;

UINT_PTR CALLBACK PanelHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<FindingPanel*>(::GetWindowLongPtrW(panel, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      self = reinterpret_cast<FindingPanel*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
      ::SetWindowLongPtrW(panel, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
      self->Create(panel);
      ::SetTimer(panel, kLookTimer, kLookEveryMs, nullptr);
      return TRUE;
    }
    case kArrange:
      if (self) self->Arrange();
      return 0;
    case WM_TIMER:
      if (self && wParam == kLookTimer) self->Refresh();
      return 0;
    case WM_COMMAND:
      if (self) self->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      if (!self) return 0;
      const auto* note = reinterpret_cast<const OFNOTIFYW*>(lParam);
      if (note->hdr.code == CDN_INITDONE) {
        ::PostMessageW(panel, kArrange, 0, 0);
        self->Refresh();
      } else if (note->hdr.code == CDN_SELCHANGE || note->hdr.code == CDN_FOLDERCHANGE) {
        self->Refresh();
      } else if (note->hdr.code == CDN_FILEOK) {
        self->Keep();
      }
      return 0;
    }
    case WM_DESTROY:
      ::KillTimer(panel, kLookTimer);
      return 0;
  }
  return 0;
}

// The dialog's answer: the full path of one file, or a folder followed by the names in it.
std::vector<std::wstring> PickedFiles(const std::vector<wchar_t>& buffer) {
  std::vector<std::wstring> parts;
  for (size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
    std::wstring part(&buffer[at]);
    at += part.size() + 1;
    parts.push_back(std::move(part));
  }
  if (parts.size() <= 1) return parts;
  std::vector<std::wstring> files;
  std::wstring folder = parts[0];
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
  return files;
}

}  // namespace

std::optional<TickFilePick> AskForTickFiles(const std::wstring& folder, const std::wstring& suggested,
                                            const std::string& playbackZone, const ZoneRules* playbackRules) {
  // Long paths and many files: the dialog writes the chosen names into this buffer.
  std::vector<wchar_t> file(1 << 18, L'\0');
  std::wstring suggestedPath = folder + L"\\" + suggested;
  if (::GetFileAttributesW(suggestedPath.c_str()) != INVALID_FILE_ATTRIBUTES)
    suggested.copy(file.data(), file.size() - 1);

  // The panel's template, in memory that the dialog reads as a dialog resource.
  const std::vector<WORD> layout = FindingPanelTemplate();
  UniqueGlobalMemory panelTemplate(::GlobalAlloc(GMEM_FIXED, layout.size() * sizeof(WORD)));
  if (!panelTemplate) return std::nullopt;
  std::memcpy(panelTemplate.get(), layout.data(), layout.size() * sizeof(WORD));
  FindingPanel panel(playbackZone, playbackRules);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hInstance = reinterpret_cast<HINSTANCE>(panelTemplate.get());
  dialog.lpstrFilter = L"Recorded ticks (*.csv;*.txt;*.scid)\0*.csv;*.txt;*.scid\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = L"Genvane - choose the recorded ticks to replay";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ALLOWMULTISELECT |
                 OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
  dialog.lpfnHook = &PanelHook;
  dialog.lCustData = reinterpret_cast<LPARAM>(&panel);
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  TickFilePick pick;
  pick.files = PickedFiles(file);
  pick.choices = panel.Choices();
  if (pick.files.empty()) return std::nullopt;
  return pick;
}

}  // namespace tickvane::converter
