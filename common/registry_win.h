// Reading and writing the few registry values the toolset keeps.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/handle_owners_win.h"

namespace tickvane {

// Opens a key for reading; an empty owner when it is not there.
UniqueRegistryKey OpenRegistryKey(HKEY root, const std::wstring& subkey);

// A REG_SZ value (a REG_EXPAND_SZ one comes expanded); nothing when it is missing or of another type.
std::optional<std::wstring> ReadRegistryString(HKEY key, const wchar_t* name);
// A REG_BINARY value, or nothing.
std::optional<std::string> ReadRegistryBinary(HKEY key, const wchar_t* name);
std::optional<DWORD> ReadRegistryDword(HKEY key, const wchar_t* name);

// Creates the key when needed; the system's error code, ERROR_SUCCESS when written.
LSTATUS WriteRegistryString(HKEY root, const std::wstring& subkey, const wchar_t* name, const std::wstring& value);
// A value that is not there counts as deleted.
LSTATUS DeleteRegistryValue(HKEY root, const std::wstring& subkey, const wchar_t* name);

}  // namespace tickvane
