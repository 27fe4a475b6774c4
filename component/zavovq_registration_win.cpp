#include "component/zavovq_registration_win.h"

#include <string>

#include "common/handle_owners_win.h"
#include "common/registry_win.h"
#include "component/zavovq_ids_win.h"
#include "component/zavovq_module_win.h"

namespace tickvane::zavovq {
namespace {

std::wstring GetString(HKEY root, const std::wstring& subkey, const wchar_t* name) {
  UniqueRegistryKey key = OpenRegistryKey(root, subkey);
  return ReadRegistryString(key.get(), name).value_or(L"");
}

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kClsidText;

// `root` is HKCU\Software\Classes or HKEY_CLASSES_ROOT.
LSTATUS WriteKeys(HKEY root, const std::wstring& dllPath) {
  const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
      {kProgId, {nullptr, kDescription}},
      {std::wstring(kProgId) + L"\\CLSID", {nullptr, kClsidText}},
      {kClsidKey, {nullptr, kDescription}},
      {kClsidKey + L"\\ProgID", {nullptr, kProgId}},
      {kClsidKey + L"\\InprocServer32", {nullptr, dllPath}},
      {kClsidKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
  };
  for (const auto& [subkey, value] : values)
    if (LSTATUS status = WriteRegistryString(root, subkey, value.first, value.second); status != ERROR_SUCCESS) return status;
  return ERROR_SUCCESS;
}

LSTATUS RemoveKeys(HKEY root) {
  if (GetString(root, std::wstring(kProgId) + L"\\CLSID", nullptr) == kClsidText) {
    LSTATUS status = ::RegDeleteTreeW(root, kProgId);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
  }
  LSTATUS status = ::RegDeleteTreeW(root, kClsidKey.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

HRESULT RegisterServer() {
  const std::wstring dllPath = ModulePath();
  if (dllPath.empty()) return HRESULT_FROM_WIN32(::GetLastError());
  HKEY opened = nullptr;
  LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  UniqueRegistryKey userClasses(opened);
  if (status == ERROR_SUCCESS) status = WriteKeys(userClasses.get(), dllPath);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  // Windows merges the per-user classes into HKEY_CLASSES_ROOT; a system that does not needs the
  // keys where COM looks.
  const std::wstring visible = GetString(HKEY_CLASSES_ROOT, kClsidKey + L"\\InprocServer32", nullptr);
  if (visible != dllPath) status = WriteKeys(HKEY_CLASSES_ROOT, dllPath);
  return HRESULT_FROM_WIN32(status);
}

HRESULT UnregisterServer() {
  HKEY opened = nullptr;
  LSTATUS status = ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, KEY_ALL_ACCESS, &opened);
  UniqueRegistryKey userClasses(opened);
  if (status == ERROR_SUCCESS) status = RemoveKeys(userClasses.get());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(status);
  // What RegisterServer wrote through HKEY_CLASSES_ROOT on a system without per-user classes.
  if (GetString(HKEY_CLASSES_ROOT, kClsidKey + L"\\InprocServer32", nullptr) == ModulePath())
    status = RemoveKeys(HKEY_CLASSES_ROOT);
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace tickvane::zavovq
