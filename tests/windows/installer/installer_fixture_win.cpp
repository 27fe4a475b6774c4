#include "tests/windows/installer/installer_fixture_win.h"

#include <algorithm>
#include <cwctype>

#include "common/user_settings_win.h"
#include "component/zavovq_ids_win.h"
#include "tests/windows/installer/installation_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

// "C:\folder\Uninstall.exe" /S -> the program and the rest.
std::pair<std::wstring, std::wstring> SplitCommand(const std::wstring& command) {
  if (command.empty() || command[0] != L'"') return {command, L""};
  size_t close = command.find(L'"', 1);
  if (close == std::wstring::npos) return {command.substr(1), L""};
  size_t rest = command.find_first_not_of(L' ', close + 1);
  return {command.substr(1, close - 1), rest == std::wstring::npos ? L"" : command.substr(rest)};
}

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + zavovq::kClsidText;

// What is still there of ours, one line each; empty when nothing is.
std::vector<std::string> LeftOvers(const std::wstring& installFolder, const std::wstring& startMenuFolder,
                                   const std::wstring& uninstallKey, std::vector<std::wstring> userFiles) {
  std::vector<std::string> left;
  const std::pair<HKEY, std::wstring> keys[] = {
      {HKEY_CURRENT_USER, uninstallKey},
      {HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + zavovq::kProgId},
      {HKEY_CURRENT_USER, L"Software\\Classes\\" + kClsidKey},
      // The user's settings (ChartFolder, RecordingTimeZone), which the installer writes.
      {HKEY_CURRENT_USER, kSettingsKey},
      // Where COM looks; the component also writes here on a system that does not merge the
      // per-user classes into it.
      {HKEY_CLASSES_ROOT, zavovq::kProgId},
      {HKEY_CLASSES_ROOT, kClsidKey},
  };
  for (const auto& [root, path] : keys)
    if (KeyExists(root, path)) left.push_back("registry key " + Narrow(path));
  if (FolderExists(startMenuFolder)) left.push_back("Start menu folder " + Narrow(startMenuFolder));
  std::sort(userFiles.begin(), userFiles.end(), [](const std::wstring& a, const std::wstring& b) { return Lower(a) < Lower(b); });
  if (userFiles.empty()) {
    if (FolderExists(installFolder)) left.push_back("program folder " + Narrow(installFolder));
  } else {
    std::vector<std::wstring> there = FolderContents(installFolder);
    for (const std::wstring& name : there)
      if (std::find(userFiles.begin(), userFiles.end(), name) == userFiles.end()) left.push_back("file " + Narrow(name));
    for (const std::wstring& name : userFiles)
      if (std::find(there.begin(), there.end(), name) == there.end()) left.push_back("user's file gone: " + Narrow(name));
  }
  return left;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace

const std::vector<std::wstring> kShippedFiles = {
    L"Portvane.exe", L"Tickvane.exe", L"Genvane.exe", L"zavovq.dll", L"ddewatch.exe", L"chartdump.exe",
    L"stationctl.exe", L"tickconvert.exe", L"Setvane.exe", L"help.html", L"ibm-us-equity-trades-20131007-20131008.csv", L"ibm-us-equity-trades-20131007-20131008.SOURCE.md",
};

const std::wstring InstallerTest::kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tickvane";

void InstallerTest::SetUp() {
  ASSERT_TRUE(::GetFileAttributesW(InstallerPath().c_str()) != INVALID_FILE_ATTRIBUTES)
      << "no installer: " << Narrow(InstallerPath());
  // The whole run is about this DPI; a prefix that did not take it would prove nothing.
  ASSERT_EQ(ScreenDpi(), RequestedDpi());
  std::vector<std::string> left = LeftOvers(InstallFolder(), StartMenuFolder(), kUninstallKey, {});
  ASSERT_TRUE(left.empty()) << "already there before the test:\n" << Joined(left);
}

void InstallerTest::TearDown() {
  if (KeyExists(HKEY_CURRENT_USER, kUninstallKey)) UninstallQuietly();
  // The user's files that a test left on purpose, so that the next test starts without a folder.
  for (const std::wstring& name : FolderContents(InstallFolder()))
    if (name.back() != L'\\') ::DeleteFileW(InstalledFile(name).c_str());
  ::RemoveDirectoryW(InstallFolder().c_str());
}

std::wstring InstallerTest::InstallerPath() {
  std::wstring tests = TestDirectory();
  return tests.substr(0, tests.find_last_of(L"\\/")) + L"\\TickvaneSetup-" TICKVANE_VERSION L".exe";
}

std::wstring InstallerTest::InstallFolder() { return LocalAppDataFolder() + L"\\Programs\\Tickvane"; }
std::wstring InstallerTest::StartMenuFolder() { return StartMenuProgramsFolder() + L"\\Tickvane"; }

DWORD InstallerTest::Install(const std::wstring& arguments) {
  Process setup = Process::Start(InstallerPath(), arguments, TestDirectory());
  DWORD exitCode = ~0u;
  if (!setup.Started() || !setup.WaitForExit(180000, &exitCode)) return ~0u;
  return exitCode;
}

std::vector<UniqueHandle> InstallerTest::StartUninstaller(bool quiet) {
  std::optional<std::wstring> command =
      ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, quiet ? L"QuietUninstallString" : L"UninstallString");
  if (!command) return {};
  auto [program, arguments] = SplitCommand(*command);
  Process uninstaller = Process::Start(program, arguments);
  DWORD exitCode = ~0u;
  EXPECT_TRUE(uninstaller.WaitForExit(60000, &exitCode)) << "the uninstaller did not hand over";
  EXPECT_EQ(exitCode, 0u);
  // It runs a copy of itself from the temporary folder, so that it can delete itself; the
  // process object is still held, so its id cannot have been reused yet.
  return ChildProcesses(uninstaller.Id());
}

bool InstallerTest::UninstallQuietly() {
  for (UniqueHandle& copy : StartUninstaller(true))
    if (::WaitForSingleObject(copy.get(), 180000) != WAIT_OBJECT_0) return false;
  return true;
}

void InstallerTest::ExpectNothingOfOursLeft(const std::vector<std::wstring>& userFiles) {
  std::vector<std::string> left;
  // The copy may have ended before it could be waited for; its work shows in what is left.
  WaitUntil([&] {
    left = LeftOvers(InstallFolder(), StartMenuFolder(), kUninstallKey, userFiles);
    return left.empty();
  }, 60000);
  EXPECT_TRUE(left.empty()) << "left behind:\n" << Joined(left);
}

void InstallerTest::ExpectLaidOutAsDesigned(HWND window, const WindowDesign& design) {
  const int dpi = RequestedDpi();
  SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, TwipsToPixels(design.clientWidth, dpi));
  EXPECT_EQ(client.cy, TwipsToPixels(design.clientHeight, dpi));
  for (const ControlDesign& c : design.controls) {
    SCOPED_TRACE(Narrow(c.name));
    HWND control = ::GetDlgItem(window, c.id);
    ASSERT_TRUE(control);
    EXPECT_TRUE(PlacedAt(control, TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
                         TwipsToPixels(c.height, dpi)));
  }
}

void InstallerTest::SaveShot(HWND window, std::wstring_view name) {
  std::wstring folder = TestDirectory() + L"\\artifacts";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\installer-" + std::to_wstring(RequestedDpi()) + L"dpi";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  EXPECT_TRUE(SaveScreenshot(window, folder + L"\\" + std::wstring(name) + L".bmp")) << Narrow(name);
}

}  // namespace tickvane::test
