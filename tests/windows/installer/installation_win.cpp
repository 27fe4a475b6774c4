#include "tests/windows/installer/installation_win.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>

#include "common/com_owners_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

int g_requestedDpi = 96;

std::wstring FolderByCsidl(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

BOOL CALLBACK CollectText(HWND window, LPARAM into) {
  std::wstring text = TextOf(window);
  if (!text.empty()) *reinterpret_cast<std::wstring*>(into) += text + L"\n";
  return TRUE;
}

}  // namespace

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

int RequestedDpi() { return g_requestedDpi; }
void SetRequestedDpi(int dpi) { g_requestedDpi = dpi; }

std::wstring LocalAppDataFolder() { return FolderByCsidl(CSIDL_LOCAL_APPDATA); }
std::wstring StartMenuProgramsFolder() { return FolderByCsidl(CSIDL_PROGRAMS); }

bool FolderExists(const std::wstring& folder) {
  DWORD attributes = ::GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  UniqueRegistryKey key;
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  key.reset(opened);
  return true;
}

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD size = 0;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::optional<Shortcut> ReadShortcut(const std::wstring& linkPath) {
  ComApartment apartment;
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
    return std::nullopt;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return std::nullopt;
  if (FAILED(file->Load(linkPath.c_str(), STGM_READ))) return std::nullopt;
  wchar_t text[MAX_PATH * 2] = {};
  Shortcut shortcut;
  // The path as stored, without resolving it against what exists now.
  if (FAILED(link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH))) return std::nullopt;
  shortcut.target = text;
  text[0] = L'\0';
  if (SUCCEEDED(link->GetArguments(text, MAX_PATH * 2))) shortcut.arguments = text;
  text[0] = L'\0';
  if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH * 2))) shortcut.workingDirectory = text;
  return shortcut;
}

std::optional<VersionStrings> ReadVersionStrings(const std::wstring& file) {
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return std::nullopt;
  auto read = [&](const wchar_t* name) {
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), query.c_str(), &value, &length) || !value) return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(value));
  };
  return VersionStrings{read(L"ProductName"), read(L"ProductVersion"), read(L"FileVersion"),
                        read(L"FileDescription"), read(L"OriginalFilename")};
}

std::string ReadProgramManifest(const std::wstring& program) {
  UniqueModule module(::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return {};
  HRSRC found = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(module.get(), found);
  const char* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
  return bytes ? std::string(bytes, ::SizeofResource(module.get(), found)) : std::string();
}

bool ComCreatesFromProgId(const wchar_t* progId) {
  // The apartment outlives the object; leaving it unloads the DLL again, so that an uninstaller
  // can delete it afterwards.
  ComApartment apartment;
  CLSID id{};
  if (FAILED(::CLSIDFromProgID(progId, &id))) return false;
  ComPtr<IDispatch> object;
  return SUCCEEDED(::CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void())) && object;
}

std::vector<UniqueHandle> ChildProcesses(DWORD parentId) {
  std::vector<UniqueHandle> children;
  UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return children;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID != parentId || entry.th32ProcessID == parentId) continue;
    UniqueHandle child(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (child) children.push_back(std::move(child));
  }
  return children;
}

std::wstring TextsWithin(HWND window) {
  std::wstring texts;
  ::EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

}  // namespace tickvane::test
