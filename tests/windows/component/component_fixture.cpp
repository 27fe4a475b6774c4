#include "tests/windows/component/component_fixture.h"

#include <fstream>
#include <iterator>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"

namespace tickvane::test {
namespace {

std::wstring FullPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 4];
  DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(buffer)), buffer, nullptr);
  return n ? std::wstring(buffer, n) : path;
}

std::wstring ValueOf(HKEY root, const std::wstring& subkey, const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer;
  if (::RegGetValueW(root, subkey.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return {};
  return buffer;
}

void SetValue(HKEY root, const std::wstring& subkey, const std::wstring& value) {
  UniqueRegistryKey key;
  ASSERT_EQ(::RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::wstring BinDirectory() { return FullPath(ProgramDirectory() + L"\\..\\bin"); }
std::wstring ComponentPath() { return BinDirectory() + L"\\zavovq.dll"; }

HRESULT CallRegistrationExport(const char* name) {
  UniqueModule module(::LoadLibraryW(ComponentPath().c_str()));
  if (!module) return HRESULT_FROM_WIN32(::GetLastError());
  using Export = HRESULT(STDAPICALLTYPE*)();
  auto call = reinterpret_cast<Export>(reinterpret_cast<void*>(::GetProcAddress(module.get(), name)));
  return call ? call() : HRESULT_FROM_WIN32(::GetLastError());
}

std::wstring UserClassValue(const std::wstring& subkey, const wchar_t* name) {
  return ValueOf(HKEY_CURRENT_USER, L"Software\\Classes\\" + subkey, name);
}
std::wstring ClassesRootValue(const std::wstring& subkey, const wchar_t* name) {
  return ValueOf(HKEY_CLASSES_ROOT, subkey, name);
}

void RegisterProgId(const std::wstring& progId, const std::wstring& clsidText) {
  SetValue(HKEY_CURRENT_USER, L"Software\\Classes\\" + progId + L"\\CLSID", clsidText);
  if (ClassesRootValue(progId + L"\\CLSID") != clsidText) SetValue(HKEY_CLASSES_ROOT, progId + L"\\CLSID", clsidText);
}

void UnregisterProgId(const std::wstring& progId) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + progId).c_str());
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, progId.c_str());
}

ProcessResult RunProcess(const std::wstring& commandLine) {
  ProcessResult result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
  UniqueHandle reader(readEnd), writer(writeEnd);
  ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer.get();
  startup.hStdError = writer.get();
  startup.hStdInput = nullptr;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &info)) {
    result.output = "CreateProcess failed: " + ToUtf8(SystemErrorText(::GetLastError()));
    return result;
  }
  UniqueHandle process(info.hProcess), thread(info.hThread);
  // Our copy of the write end must go, or the read below never sees the end of the output.
  writer.reset();
  char buffer[65536];
  DWORD n = 0;
  while (::ReadFile(reader.get(), buffer, sizeof buffer, &n, nullptr) && n > 0) result.output.append(buffer, n);
  if (::WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 99);
    result.output += "\n(timed out)";
    return result;
  }
  ::GetExitCodeProcess(process.get(), &result.exitCode);
  return result;
}

ProcessResult ChartDump(const std::wstring& name) {
  ProcessResult r = RunProcess(L"\"" + BinDirectory() + L"\\chartdump.exe\" \"" + BinDirectory() + L"\\" + name + L"\"");
  // Text mode on Windows writes CR LF; compare lines with LF alone.
  std::string lf;
  for (char c : r.output)
    if (c != '\r') lf.push_back(c);
  r.output = lf;
  return r;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ComponentTest::SetUp() { ASSERT_EQ(CallRegistrationExport("DllRegisterServer"), S_OK); }

std::unique_ptr<ChartWriter> ComponentTest::Writer() {
  WriterCreation c = factory_->Create();
  EXPECT_TRUE(c.writer) << c.error;
  return std::move(c.writer);
}

std::unique_ptr<ChartWriter> ComponentTest::WriterWithOneTick(const std::wstring& name) {
  auto writer = Writer();
  if (!writer) return nullptr;
  const WriterResult header = writer->writing_header(name);
  EXPECT_TRUE(header.ok) << header.error;
  const WriterResult tick = writer->writing_data("20131008", "1", "93003", name);
  EXPECT_TRUE(tick.ok) << tick.error;
  return header.ok && tick.ok ? std::move(writer) : nullptr;
}

void ComponentTest::TearDown() {
  for (const auto& name : names_) RemoveChart(name);
}

void ComponentTest::RemoveChart(const std::wstring& name) const {
  ::DeleteFileW(ChartPath(name).c_str());
  ::DeleteFileW((ChartPath(name) + L".bak").c_str());
}

std::wstring ComponentTest::ChartName(const std::wstring& name) {
  names_.push_back(name);
  RemoveChart(name);  // a run that was cut short may have left it behind
  return name;
}

std::wstring ComponentTest::ChartPath(const std::wstring& name) const { return BinDirectory() + L"\\" + name; }

}  // namespace tickvane::test
