#include "common/registry_win.h"

namespace tickvane {

UniqueRegistryKey OpenRegistryKey(HKEY root, const std::wstring& subkey) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  return UniqueRegistryKey(key);
}

std::optional<std::wstring> ReadRegistryString(HKEY key, const wchar_t* name) {
  if (!key) return std::nullopt;
  // The size can change between the two calls when another program writes the value.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    LSTATUS status = ::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &size);
    if (status != ERROR_SUCCESS) return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = ::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, text.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    return text;
  }
  return std::nullopt;
}

std::optional<std::string> ReadRegistryBinary(HKEY key, const wchar_t* name) {
  if (!key) return std::nullopt;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_BINARY, nullptr, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    std::string bytes(size, '\0');
    LSTATUS status = ::RegGetValueW(key, nullptr, name, RRF_RT_REG_BINARY, nullptr, bytes.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    bytes.resize(size);
    return bytes;
  }
  return std::nullopt;
}

std::optional<DWORD> ReadRegistryDword(HKEY key, const wchar_t* name) {
  if (!key) return std::nullopt;
  DWORD value = 0, size = sizeof value;
  if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

LSTATUS WriteRegistryString(HKEY root, const std::wstring& subkey, const wchar_t* name, const std::wstring& value) {
  HKEY opened = nullptr;
  LSTATUS status = ::RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                     nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return status;
  UniqueRegistryKey key(opened);
  return ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteRegistryValue(HKEY root, const std::wstring& subkey, const wchar_t* name) {
  HKEY opened = nullptr;
  LSTATUS status = ::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_SET_VALUE, &opened);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  UniqueRegistryKey key(opened);
  status = ::RegDeleteValueW(key.get(), name);
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace tickvane
