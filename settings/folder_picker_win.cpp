#include "settings/folder_picker_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "common/com_owners_win.h"
#include "settings/sierra_chart_search_win.h"

namespace tickvane::settings {

PickedFolder PickFolder(HWND owner, const std::wstring& title, const std::wstring& start) {
  PickedFolder picked;
  ComPtr<IFileOpenDialog> dialog;
  picked.error = ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                    dialog.put_void());
  if (FAILED(picked.error)) return picked;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(title.c_str());
  if (!start.empty() && IsExistingFolder(start)) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(::SHCreateItemFromParsingName(start.c_str(), nullptr, IID_IShellItem, folder.put_void())))
      dialog->SetFolder(folder.get());
  }
  const HRESULT shown = dialog->Show(owner);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
    picked.error = S_OK;
    return picked;
  }
  picked.error = shown;
  if (FAILED(shown)) return picked;
  ComPtr<IShellItem> result;
  UniqueCoTaskMemory path;  // the shell's text
  picked.error = dialog->GetResult(result.put());
  if (SUCCEEDED(picked.error))
    picked.error = result->GetDisplayName(SIGDN_FILESYSPATH, reinterpret_cast<PWSTR*>(path.put()));
  if (SUCCEEDED(picked.error) && path.get()) picked.folder = std::wstring(static_cast<const wchar_t*>(path.get()));
  return picked;
}

}  // namespace tickvane::settings
