// What the installer puts where, as Windows reads it back, and that its uninstaller takes exactly
// that away again; the setup and uninstall windows as a user goes through them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "common/registry_win.h"
#include "common/user_settings_win.h"
#include "component/zavovq_ids_win.h"
#include "launcher/launcher_texts.h"
#include "settings/sierra_chart_folders.h"
#include "tests/windows/installer/installation_win.h"
#include "tests/windows/installer/installer_fixture_win.h"
#include "tests/windows/settings/made_folders_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

struct ShippedProgram {
  const wchar_t* file;
  const wchar_t* description;
};

const ShippedProgram kPrograms[] = {
    {L"Portvane.exe", L"Tickvane Playback launcher"},
    {L"Tickvane.exe", L"Tickvane replay station"},
    {L"Genvane.exe", L"Tickvane tick-file converter"},
    {L"ddewatch.exe", L"Tickvane DDE watcher"},
    {L"chartdump.exe", L"Tickvane chart-file printer"},
    {L"stationctl.exe", L"Tickvane station remote control"},
    {L"tickconvert.exe", L"Tickvane tick-file converter for scripts"},
    {L"Setvane.exe", L"Tickvane settings"},
    {L"zavovq.dll", L"Tickvane chart-file writer"},
};

const std::vector<std::wstring> kStartMenuEntries = {L"Tickvane Help.lnk", L"Tickvane Playback.lnk",
                                                     L"Tickvane Settings.lnk"};

std::optional<std::wstring> StoredSetting(const wchar_t* name) {
  return ReadRegistryString(HKEY_CURRENT_USER, kSettingsKey, name);
}

// The prefix holds no Sierra Chart of its own, or what the installer finds would not be the test's.
void ExpectNoSierraChartInstalled() {
  for (const std::wstring& usual : settings::SierraChartDataCandidates(L"C:\\"))
    ASSERT_FALSE(FolderExists(usual)) << "already there: " << Narrow(usual);
}

void WriteNewFile(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ASSERT_TRUE(file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      << Narrow(path);
}

TEST_F(InstallerTest, InstallsForTheUserAndUninstallsWithoutATrace) {
  ASSERT_NO_FATAL_FAILURE(ExpectNoSierraChartInstalled());
  ASSERT_EQ(Install(L"/S"), 0u);

  std::vector<std::wstring> expected = kShippedFiles;
  expected.push_back(L"Uninstall.exe");
  std::sort(expected.begin(), expected.end(), [](const std::wstring& a, const std::wstring& b) { return Lower(a) < Lower(b); });
  EXPECT_EQ(FolderContents(InstallFolder()), expected);

  for (const ShippedProgram& p : kPrograms) {
    SCOPED_TRACE(Narrow(p.file));
    std::optional<VersionStrings> version = ReadVersionStrings(InstalledFile(p.file));
    ASSERT_TRUE(version) << "no version information";
    EXPECT_EQ(version->productName, L"Tickvane");
    EXPECT_EQ(version->productVersion, TICKVANE_VERSION);
    EXPECT_EQ(version->fileVersion, TICKVANE_VERSION);
    EXPECT_EQ(version->fileDescription, p.description);
    EXPECT_EQ(version->originalFilename, p.file);
    if (std::wstring_view(p.file).ends_with(L".exe")) {
      std::string manifest = ReadProgramManifest(InstalledFile(p.file));
      EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
          << manifest;
      EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
      EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
                std::string::npos)
          << manifest;
    }
  }
  std::optional<VersionStrings> setup = ReadVersionStrings(InstallerPath());
  ASSERT_TRUE(setup);
  EXPECT_EQ(setup->productName, L"Tickvane");
  EXPECT_EQ(setup->productVersion, TICKVANE_VERSION);

  // The component, registered for this user only, is what the station creates by its ProgID.
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, L"Software\\Classes\\zavovq\\CLSID", nullptr), zavovq::kClsidText);
  std::optional<std::wstring> server = ReadRegistryString(
      HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\CLSID\\") + zavovq::kClsidText + L"\\InprocServer32", nullptr);
  ASSERT_TRUE(server);
  EXPECT_EQ(Lower(*server), Lower(InstalledFile(L"zavovq.dll")));
  EXPECT_TRUE(ComCreatesFromProgId(zavovq::kProgId));

  // The Apps and Features entry.
  const std::pair<const wchar_t*, std::wstring> entry[] = {
      {L"DisplayName", L"Tickvane"},
      {L"DisplayVersion", TICKVANE_VERSION},
      {L"Publisher", L"The Tickvane project"},
      {L"InstallLocation", InstallFolder()},
      {L"DisplayIcon", InstalledFile(L"Portvane.exe") + L",0"},
      {L"UninstallString", L"\"" + InstalledFile(L"Uninstall.exe") + L"\""},
      {L"QuietUninstallString", L"\"" + InstalledFile(L"Uninstall.exe") + L"\" /S"},
  };
  for (const auto& [name, value] : entry) {
    SCOPED_TRACE(Narrow(name));
    std::optional<std::wstring> actual = ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, name);
    ASSERT_TRUE(actual);
    EXPECT_EQ(Lower(*actual), Lower(value));
  }
  EXPECT_EQ(ReadRegistryNumber(HKEY_CURRENT_USER, kUninstallKey, L"NoModify"), 1u);
  EXPECT_EQ(ReadRegistryNumber(HKEY_CURRENT_USER, kUninstallKey, L"NoRepair"), 1u);
  std::optional<DWORD> size = ReadRegistryNumber(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(size);
  EXPECT_GT(*size, 1000u) << "kilobytes";

  // Without a Sierra Chart to be found, the chart files stay beside the programs; the recorded
  // ticks are taken as New York's, as those of the bundled sample are.
  EXPECT_EQ(StoredSetting(kChartFolderSetting), std::nullopt);
  EXPECT_EQ(StoredSetting(kRecordingTimeZoneSetting), L"Eastern Standard Time");

  // The Start menu: the launcher, the help page and the settings, each read back from its shortcut.
  EXPECT_EQ(FolderContents(StartMenuFolder()), kStartMenuEntries);
  const std::pair<const wchar_t*, const wchar_t*> shortcuts[] = {
      {L"Tickvane Playback.lnk", L"Portvane.exe"},
      {L"Tickvane Help.lnk", L"help.html"},
      {L"Tickvane Settings.lnk", L"Setvane.exe"},
  };
  for (const auto& [link, target] : shortcuts) {
    SCOPED_TRACE(Narrow(link));
    std::optional<Shortcut> shortcut = ReadShortcut(StartMenuFolder() + L"\\" + link);
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(Lower(shortcut->target), Lower(InstalledFile(target)));
    EXPECT_EQ(shortcut->arguments, L"");
    EXPECT_EQ(Lower(shortcut->workingDirectory), Lower(InstallFolder()));
  }

  ASSERT_TRUE(UninstallQuietly());
  ExpectNothingOfOursLeft({});
  EXPECT_FALSE(ComCreatesFromProgId(zavovq::kProgId));
}

// Installing again over an installation (a repair, or the next version) leaves one installation,
// which one uninstall removes completely; a user's file in the folder survives both, and so do the
// settings that the user changed in between, a setting left out on purpose included.
TEST_F(InstallerTest, InstallingAgainKeepsOneInstallationAndTheUsersFiles) {
  ASSERT_NO_FATAL_FAILURE(ExpectNoSierraChartInstalled());
  ASSERT_EQ(Install(L"/S"), 0u);
  const std::string userBytes = "a playback file of the user's\r\n";
  {
    UniqueFile file(::CreateFileW(InstalledFile(L"practice.EPF").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && ::WriteFile(file.get(), userBytes.data(), static_cast<DWORD>(userBytes.size()), &written, nullptr));
  }
  // The user picks another zone and keeps the chart files beside the programs, and installs Sierra
  // Chart afterwards: the next installation does not move the chart files there.
  ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, kSettingsKey, kRecordingTimeZoneSetting, L"Tokyo Standard Time"),
            ERROR_SUCCESS);
  MadeFolders sierraChart({L"C:\\SierraChart\\Data"});
  std::vector<std::wstring> before = FolderContents(InstallFolder());
  ASSERT_EQ(Install(L"/S"), 0u);
  EXPECT_EQ(FolderContents(InstallFolder()), before);
  EXPECT_EQ(FolderContents(StartMenuFolder()), kStartMenuEntries);
  EXPECT_EQ(StoredSetting(kRecordingTimeZoneSetting), L"Tokyo Standard Time");
  EXPECT_EQ(StoredSetting(kChartFolderSetting), std::nullopt);
  EXPECT_EQ(ReadWholeFile(InstalledFile(L"practice.EPF")), userBytes);
  EXPECT_TRUE(ComCreatesFromProgId(zavovq::kProgId));

  ASSERT_TRUE(UninstallQuietly());
  ExpectNothingOfOursLeft({L"practice.EPF"});
  EXPECT_EQ(ReadWholeFile(InstalledFile(L"practice.EPF")), userBytes);
}

struct FoundFolderCase {
  const char* label;
  std::vector<std::wstring> made;  // folders there before the installation
  const wchar_t* chartFolder;      // what the silent installation sets; nullptr: nothing
};

void PrintTo(const FoundFolderCase& c, std::ostream* out) { *out << c.label; }

const FoundFolderCase kFoundFolderCases[] = {
    {"SierraChartOnDriveC", {L"C:\\SierraChart\\Data"}, L"C:\\SierraChart\\Data"},
    {"FirstOfSeveral", {L"C:\\Program Files\\SierraChart\\Data", L"C:\\SierraChart4\\Data"}, L"C:\\SierraChart4\\Data"},
    {"ProgramFilesX86", {L"C:\\Program Files (x86)\\SierraChart\\Data"}, L"C:\\Program Files (x86)\\SierraChart\\Data"},
    // Found means the Data folder is there: an installation without one is passed over.
    {"InstallationWithoutData", {L"C:\\SierraChart"}, nullptr},
};

class SilentInstall : public InstallerTest, public ::testing::WithParamInterface<FoundFolderCase> {};

// The silent installation takes the Sierra Chart Data folder that it finds and New York's time;
// the uninstaller removes both settings and keeps every chart file, in the chart folder as in the
// program folder.
TEST_P(SilentInstall, SetsTheFoundChartFolderAndTheUninstallKeepsTheChartFiles) {
  const FoundFolderCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(ExpectNoSierraChartInstalled());
  MadeFolders made(c.made);
  ASSERT_EQ(Install(L"/S"), 0u);
  EXPECT_EQ(StoredSetting(kChartFolderSetting), c.chartFolder ? std::optional<std::wstring>(c.chartFolder) : std::nullopt);
  EXPECT_EQ(StoredSetting(kRecordingTimeZoneSetting), L"Eastern Standard Time");

  const std::string chartBytes = "chart records of the user's\r\n";
  std::wstring inChartFolder;
  if (c.chartFolder) {
    inChartFolder = std::wstring(c.chartFolder) + L"\\IBM.mnd.scid";
    ASSERT_NO_FATAL_FAILURE(WriteNewFile(inChartFolder, chartBytes));
  }
  ASSERT_NO_FATAL_FAILURE(WriteNewFile(InstalledFile(L"ibm.mnd"), chartBytes));
  ASSERT_TRUE(UninstallQuietly());
  ExpectNothingOfOursLeft({L"ibm.mnd"});
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_EQ(ReadWholeFile(InstalledFile(L"ibm.mnd")), chartBytes);
  if (c.chartFolder) {
    EXPECT_EQ(ReadWholeFile(inChartFolder), chartBytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Installer, SilentInstall, ::testing::ValuesIn(kFoundFolderCases),
                         [](const auto& info) { return std::string(info.param.label); });

// A visible standard dialog of the process other than the wizard itself: a message box.
HWND MessageBoxBeside(DWORD processId, HWND wizard) {
  for (HWND w : TopLevelWindows(processId, true))
    if (w != wizard && ClassNameOf(w) == L"#32770") return w;
  return nullptr;
}

HWND WaitForText(HWND wizard, std::wstring_view part) {
  EXPECT_TRUE(WaitUntil([&] { return TextsWithin(wizard).find(part) != std::wstring::npos; }, 60000))
      << "never showed: " << Narrow(part) << "\nshows:\n" << Narrow(TextsWithin(wizard));
  return wizard;
}

// A visible control of that class (and text, unless empty) anywhere in the window.
HWND FindControl(HWND window, std::wstring_view className, std::wstring_view text = L"") {
  return FindVisibleWindow(window, className, text, TextMatch::Whole);
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  ::SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 10000, &state);
  return state == BST_CHECKED;
}

TEST_F(InstallerTest, SetupAndUninstallWindowsSayWhatTheyDo) {
  ASSERT_NO_FATAL_FAILURE(ExpectNoSierraChartInstalled());
  MadeFolders sierraChart({L"C:\\SierraChart\\Data"});
  Process setup = Process::Start(InstallerPath(), L"", TestDirectory());
  ASSERT_TRUE(setup.Started());
  HWND wizard = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (wizard = FindTopLevel(setup.Id(), L"#32770", true)) != nullptr; }, 60000));
  EXPECT_EQ(TextOf(wizard), L"Tickvane " TICKVANE_VERSION L" Setup");
  SaveShot(WaitForText(wizard, L"Welcome to Tickvane " TICKVANE_VERSION L" Setup"), L"setup-welcome");
  Click(::GetDlgItem(wizard, IDOK));
  SaveShot(WaitForText(wizard, InstallFolder()), L"setup-folder");
  Click(::GetDlgItem(wizard, IDOK));

  // The settings page offers the Sierra Chart that it found and New York's time.
  WaitForText(wizard, L"Chart files and time zone");
  HWND intoFolder = FindControl(wizard, L"Button", L"&Into Sierra Chart's Data Files folder:");
  HWND beside = FindControl(wizard, L"Button", L"Beside the Tickvane &programs (no chart folder)");
  HWND folderBox = FindControl(wizard, L"Edit");
  HWND zoneList = FindControl(wizard, L"ComboBox");
  ASSERT_TRUE(intoFolder && beside && folderBox && zoneList) << Narrow(TextsWithin(wizard));
  EXPECT_TRUE(IsChecked(intoFolder));
  EXPECT_FALSE(IsChecked(beside));
  EXPECT_EQ(TextOf(folderBox), L"C:\\SierraChart\\Data");
  const std::optional<std::wstring> newYork = ZoneDisplayText(L"Eastern Standard Time");
  const std::optional<std::wstring> tokyo = ZoneDisplayText(L"Tokyo Standard Time");
  ASSERT_TRUE(newYork && tokyo);
  EXPECT_EQ(TextOf(zoneList), *newYork);
  // Every zone of the system is offered, west to east, after the entry for none.
  {
    UniqueRegistryKey zones = OpenRegistryKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones");
    DWORD count = 0;
    ::RegQueryInfoKeyW(zones.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr);
    EXPECT_EQ(::SendMessageW(zoneList, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(count) + 1);
    LRESULT previous = 0;
    for (const wchar_t* key : {L"Hawaiian Standard Time", L"Eastern Standard Time", L"GMT Standard Time",
                               L"India Standard Time", L"Tokyo Standard Time"}) {
      const std::optional<std::wstring> display = ZoneDisplayText(key);
      ASSERT_TRUE(display) << Narrow(key);
      const LRESULT index = ::SendMessageW(zoneList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(display->c_str()));
      EXPECT_GT(index, previous) << Narrow(key);
      previous = index;
    }
  }
  std::string layout;
  for (const std::string& problem : DialogLayoutProblems(::GetParent(zoneList), RequestedDpi())) layout += problem + "\n";
  EXPECT_TRUE(layout.empty()) << layout;
  SaveShot(wizard, L"setup-chart-settings");

  // A folder that is not there is refused, and the page stays.
  SetTextOf(folderBox, L"C:\\SierraChart\\Data\\Missing");
  Click(::GetDlgItem(wizard, IDOK));
  HWND refusal = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (refusal = MessageBoxBeside(setup.Id(), wizard)) != nullptr; }, 60000));
  EXPECT_NE(TextOf(::GetDlgItem(refusal, 0xFFFF)).find(L"\"C:\\SierraChart\\Data\\Missing\" does not exist"), std::wstring::npos)
      << Narrow(TextOf(::GetDlgItem(refusal, 0xFFFF)));
  SaveShot(refusal, L"setup-chart-settings-missing-folder");
  MessageBoxView refusalBox;
  refusalBox.window = refusal;
  Answer(refusalBox, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(refusal); }, 60000));
  EXPECT_TRUE(::IsWindowVisible(zoneList)) << "the page went on";

  // Mended, and another zone chosen: the installation writes both.
  SetTextOf(folderBox, L"C:\\SierraChart\\Data");
  const LRESULT tokyoEntry = ::SendMessageW(zoneList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(tokyo->c_str()));
  ASSERT_NE(tokyoEntry, CB_ERR);
  ::SendMessageW(zoneList, CB_SETCURSEL, static_cast<WPARAM>(tokyoEntry), 0);
  Click(::GetDlgItem(wizard, IDOK));
  SaveShot(WaitForText(wizard, L"Start Tickvane Playback"), L"setup-finish");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kSettingsKey, kChartFolderSetting), L"C:\\SierraChart\\Data");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kSettingsKey, kRecordingTimeZoneSetting), L"Tokyo Standard Time");
  // Finish with "Start Tickvane Playback" ticked: the launcher comes up from the program folder.
  Click(::GetDlgItem(wizard, IDOK));
  DWORD exitCode = ~0u;
  ASSERT_TRUE(setup.WaitForExit(60000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  HWND launcher = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (launcher = FindTopLevelAnywhere(launcher::kWindowClass, L"")) != nullptr; }, 60000));
  {
    DWORD id = 0;
    ::GetWindowThreadProcessId(launcher, &id);
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    ASSERT_TRUE(process && ::QueryFullProcessImageNameW(process.get(), 0, image, &length));
    EXPECT_EQ(Lower(image), Lower(InstalledFile(L"Portvane.exe")));
  }
  EndProcessOf(launcher);

  // A playback file of the user's, as the converter leaves it: the uninstaller must keep it and say so.
  {
    UniqueFile file(::CreateFileW(InstalledFile(L"practice.EPF").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
  }
  // And chart files, in the chart folder and beside the programs.
  const std::string chartBytes = "chart records of the user's\r\n";
  ASSERT_NO_FATAL_FAILURE(WriteNewFile(L"C:\\SierraChart\\Data\\IBM.mnd.scid", chartBytes));
  ASSERT_NO_FATAL_FAILURE(WriteNewFile(InstalledFile(L"ibm.mnd"), chartBytes));
  std::vector<UniqueHandle> copies = StartUninstaller(false);
  ASSERT_EQ(copies.size(), 1u) << "the uninstaller's working copy did not start";
  const DWORD copyId = ::GetProcessId(copies[0].get());
  ASSERT_TRUE(WaitUntil([&] { return (wizard = FindTopLevel(copyId, L"#32770", true)) != nullptr; }, 60000));
  // The wizard adds the page's subcaption, a blank on this page.
  EXPECT_EQ(TextOf(wizard), L"Tickvane " TICKVANE_VERSION L" Uninstall ");
  SaveShot(WaitForText(wizard, L"Your own files in it stay: practice.EPF, your chart files"), L"uninstall-confirm");
  EXPECT_NE(TextsWithin(wizard).find(InstallFolder()), std::wstring::npos);
  Click(::GetDlgItem(wizard, IDOK));

  HWND kept = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (kept = MessageBoxBeside(copyId, wizard)) != nullptr; }, 60000));
  EXPECT_EQ(TextOf(::GetDlgItem(kept, 0xFFFF)),
            L"Tickvane has been removed. Your own files were kept in " + InstallFolder() +
                L": practice.EPF, your chart files and anything else that you put there.");
  SaveShot(kept, L"uninstall-kept-files");
  MessageBoxView keptBox;
  keptBox.window = kept;
  Answer(keptBox, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(kept); }));
  SaveShot(WaitForText(wizard, L"Uninstallation Complete"), L"uninstall-done");
  Click(::GetDlgItem(wizard, IDOK));
  EXPECT_EQ(::WaitForSingleObject(copies[0].get(), 60000), WAIT_OBJECT_0);
  ExpectNothingOfOursLeft({L"practice.EPF", L"ibm.mnd"});
  EXPECT_EQ(ReadWholeFile(InstalledFile(L"ibm.mnd")), chartBytes);
  EXPECT_EQ(ReadWholeFile(L"C:\\SierraChart\\Data\\IBM.mnd.scid"), chartBytes);
}

}  // namespace
}  // namespace tickvane::test
