// Registering zavovq.dll: what DllRegisterServer writes, that COM then finds it by its ProgID,
// that regsvr32 does the same, and that unregistering takes it all away again.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>

#include "component/zavovq_ids_win.h"
#include "station/platform/chart_writer_com_win.h"
#include "station/engine/chart_writer_session.h"
#include "tests/windows/component/component_fixture.h"

namespace tickvane::test {
namespace {

using zavovq::kClsidText;

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kClsidText;

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool ProgIdFound() {
  CLSID clsid;
  return SUCCEEDED(::CLSIDFromProgID(L"zavovq", &clsid)) && IsEqualCLSID(clsid, zavovq::kClsid);
}

class RegistrationTest : public ComponentTest {
 protected:
  void ExpectRegistered() {
    EXPECT_EQ(UserClassValue(L"zavovq\\CLSID"), kClsidText);
    EXPECT_EQ(Lower(UserClassValue(kClsidKey + L"\\InprocServer32")), Lower(ComponentPath()));
    EXPECT_EQ(UserClassValue(kClsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(UserClassValue(kClsidKey + L"\\ProgID"), L"zavovq");
    EXPECT_TRUE(ProgIdFound());
  }
  void ExpectUnregistered() {
    EXPECT_EQ(UserClassValue(L"zavovq\\CLSID"), L"");
    EXPECT_EQ(UserClassValue(kClsidKey + L"\\InprocServer32"), L"");
    EXPECT_EQ(ClassesRootValue(kClsidKey + L"\\InprocServer32"), L"");
    EXPECT_FALSE(ProgIdFound());
  }
};

TEST_F(RegistrationTest, DllRegisterServerWritesPerUserClassesThatComFinds) {
  ASSERT_EQ(CallRegistrationExport("DllUnregisterServer"), S_OK);
  ExpectUnregistered();
  ASSERT_EQ(CallRegistrationExport("DllRegisterServer"), S_OK);
  ExpectRegistered();
  // Registering twice changes nothing.
  ASSERT_EQ(CallRegistrationExport("DllRegisterServer"), S_OK);
  ExpectRegistered();
}

TEST_F(RegistrationTest, Regsvr32RegistersAndUnregisters) {
  const std::wstring dll = L"\"" + ComponentPath() + L"\"";
  ProcessResult r = RunProcess(L"regsvr32.exe /s /u " + dll);
  ASSERT_EQ(r.exitCode, 0u) << r.output;
  ExpectUnregistered();
  r = RunProcess(L"regsvr32.exe /s " + dll);
  ASSERT_EQ(r.exitCode, 0u) << r.output;
  ExpectRegistered();
}

TEST_F(RegistrationTest, UnregisteringLeavesAProgIdThatAnotherComponentTookOver) {
  const std::wstring other = L"{11111111-2222-3333-4444-555555555555}";
  RegisterProgId(L"zavovq", other);
  ASSERT_EQ(CallRegistrationExport("DllUnregisterServer"), S_OK);
  EXPECT_EQ(UserClassValue(L"zavovq\\CLSID"), other);
  UnregisterProgId(L"zavovq");
}

TEST_F(RegistrationTest, MissingComponentIsNamedOnceAtStartAndTheReplayGoesOn) {
  ASSERT_EQ(CallRegistrationExport("DllUnregisterServer"), S_OK);
  auto factory = MakeComChartWriterFactory();
  ReplayChartWriter writer(*factory);
  auto message = writer.Start(ChartName(L"test-missing.mnd"));
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(L"\"zavovq\""), std::wstring::npos) << *message;
  EXPECT_NE(message->find(L"not registered"), std::wstring::npos) << *message;
  EXPECT_EQ(writer.WriteRecord("20131008", "182.5", "93003", L"test-missing.mnd"), std::nullopt);
  EXPECT_FALSE(FileExists(ChartPath(L"test-missing.mnd")));
}

}  // namespace
}  // namespace tickvane::test
