// What the installer puts where, as Windows reads it back, and that its uninstaller takes exactly
// that away again; the setup and uninstall windows as a user goes through them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "component/zavovq_ids.h"
#include "launcher/launcher_texts.h"
#include "tests/windows/installer/installation_win.h"
#include "tests/windows/installer/installer_fixture_win.h"
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
    {L"zavovq.dll", L"Tickvane chart-file writer"},
};

TEST_F(InstallerTest, InstallsForTheUserAndUninstallsWithoutATrace) {
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

  // The Start menu: the launcher and the help page, each read back from its shortcut.
  EXPECT_EQ(FolderContents(StartMenuFolder()), (std::vector<std::wstring>{L"Tickvane Help.lnk", L"Tickvane Playback.lnk"}));
  const std::pair<const wchar_t*, const wchar_t*> shortcuts[] = {
      {L"Tickvane Playback.lnk", L"Portvane.exe"},
      {L"Tickvane Help.lnk", L"help.html"},
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
// which one uninstall removes completely; a user's file in the folder survives both.
TEST_F(InstallerTest, InstallingAgainKeepsOneInstallationAndTheUsersFiles) {
  ASSERT_EQ(Install(L"/S"), 0u);
  const std::string userBytes = "a playback file of the user's\r\n";
  {
    UniqueFile file(::CreateFileW(InstalledFile(L"practice.EPF").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && ::WriteFile(file.get(), userBytes.data(), static_cast<DWORD>(userBytes.size()), &written, nullptr));
  }
  std::vector<std::wstring> before = FolderContents(InstallFolder());
  ASSERT_EQ(Install(L"/S"), 0u);
  EXPECT_EQ(FolderContents(InstallFolder()), before);
  EXPECT_EQ(FolderContents(StartMenuFolder()), (std::vector<std::wstring>{L"Tickvane Help.lnk", L"Tickvane Playback.lnk"}));
  EXPECT_EQ(ReadWholeFile(InstalledFile(L"practice.EPF")), userBytes);
  EXPECT_TRUE(ComCreatesFromProgId(zavovq::kProgId));

  ASSERT_TRUE(UninstallQuietly());
  ExpectNothingOfOursLeft({L"practice.EPF"});
  EXPECT_EQ(ReadWholeFile(InstalledFile(L"practice.EPF")), userBytes);
}

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

TEST_F(InstallerTest, SetupAndUninstallWindowsSayWhatTheyDo) {
  Process setup = Process::Start(InstallerPath(), L"", TestDirectory());
  ASSERT_TRUE(setup.Started());
  HWND wizard = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (wizard = FindTopLevel(setup.Id(), L"#32770", true)) != nullptr; }, 60000));
  EXPECT_EQ(TextOf(wizard), L"Tickvane " TICKVANE_VERSION L" Setup");
  SaveShot(WaitForText(wizard, L"Welcome to Tickvane " TICKVANE_VERSION L" Setup"), L"setup-welcome");
  Click(::GetDlgItem(wizard, IDOK));
  SaveShot(WaitForText(wizard, InstallFolder()), L"setup-folder");
  Click(::GetDlgItem(wizard, IDOK));
  SaveShot(WaitForText(wizard, L"Start Tickvane Playback"), L"setup-finish");
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
  ExpectNothingOfOursLeft({L"practice.EPF"});
}

}  // namespace
}  // namespace tickvane::test
