// The installed toolset read back the way Windows sees it: files with their version information
// and manifests, registry keys, Start menu shortcuts, and the processes that an uninstaller leaves.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/handle_owners_win.h"
#include "tests/windows/support/launcher_recorder_win.h"  // FolderContents

namespace tickvane::test {

// Names and paths in failure messages (the test's names are ASCII).
std::string Narrow(std::wstring_view text);
// For comparing paths and names without regard to case, as Windows does.
std::wstring Lower(std::wstring text);

// The DPI the test run asks for (--dpi=N on the command line; 96 without it).
int RequestedDpi();
void SetRequestedDpi(int dpi);

std::wstring LocalAppDataFolder();
std::wstring StartMenuProgramsFolder();

bool FolderExists(const std::wstring& folder);

bool KeyExists(HKEY root, const std::wstring& path);
// A REG_SZ value, or nullopt when the key or the value is missing.
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& path, const wchar_t* name);
std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name);

struct Shortcut {
  std::wstring target;
  std::wstring arguments;
  std::wstring workingDirectory;
};
// What a .lnk file points to, read through the shell's own link object; nullopt when unreadable.
std::optional<Shortcut> ReadShortcut(const std::wstring& linkPath);

struct VersionStrings {
  std::wstring productName;
  std::wstring productVersion;
  std::wstring fileVersion;
  std::wstring fileDescription;
  std::wstring originalFilename;
};
// The US English strings of the file's version resource; nullopt when it has none.
std::optional<VersionStrings> ReadVersionStrings(const std::wstring& file);
// The manifest that Windows reads when it starts the program (resource 1 of type RT_MANIFEST).
std::string ReadProgramManifest(const std::wstring& program);

// Whether COM creates the object registered under the ProgID for this user, as the station does.
bool ComCreatesFromProgId(const wchar_t* progId);

// Processes that the process of that id started and that still run.
std::vector<UniqueHandle> ChildProcesses(DWORD parentId);

// All texts of a window's descendants (labels, buttons, boxes), one after another.
std::wstring TextsWithin(HWND window);

}  // namespace tickvane::test
