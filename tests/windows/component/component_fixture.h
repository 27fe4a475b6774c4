// What the component tests share: where the built programs lie, registering zavovq.dll in the
// test prefix, chart files in the component's folder, and running chartdump.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/com_owners_win.h"
#include "station/platform/chart_writer_com_win.h"

namespace tickvane::test {

// The folder of the programs and zavovq.dll (bin/ beside the tests' folder).
std::wstring BinDirectory();
std::wstring ComponentPath();

// Calls an export of zavovq.dll (DllRegisterServer, DllUnregisterServer) as regsvr32 would.
HRESULT CallRegistrationExport(const char* name);

// A value under HKCU\Software\Classes or HKEY_CLASSES_ROOT; "" when missing.
std::wstring UserClassValue(const std::wstring& subkey, const wchar_t* name = nullptr);
std::wstring ClassesRootValue(const std::wstring& subkey, const wchar_t* name = nullptr);

// Writes ProgID -> CLSID where COM looks for it (per user, and through HKEY_CLASSES_ROOT where the
// system shows no per-user classes), and removes it again.
void RegisterProgId(const std::wstring& progId, const std::wstring& clsidText);
void UnregisterProgId(const std::wstring& progId);

struct ProcessResult {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;  // standard output and standard error together
};
// Runs a command line and waits for it (60 s at most), collecting its output.
ProcessResult RunProcess(const std::wstring& commandLine);

// chartdump on a file of the component's folder.
ProcessResult ChartDump(const std::wstring& name);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// zavovq.dll registered for the test user, and chart files of the test removed afterwards.
class ComponentTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // An instance of the component through the station's own caller.
  std::unique_ptr<ChartWriter> Writer();
  // One that has started the chart file `name` and written a tick into it (2013-10-08 09:30:03
  // at 1); nullptr, with the failure reported, when the component refused either.
  std::unique_ptr<ChartWriter> WriterWithOneTick(const std::wstring& name);
  // A chart file in the component's folder, removed (with its .bak) when the test ends.
  std::wstring ChartName(const std::wstring& name);
  std::wstring ChartPath(const std::wstring& name) const;
  void RemoveChart(const std::wstring& name) const;

 private:
  ComApartment apartment_;
  std::vector<std::wstring> names_;

 protected:
  std::unique_ptr<ChartWriterFactory> factory_ = MakeComChartWriterFactory();
};

}  // namespace tickvane::test
