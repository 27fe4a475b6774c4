// chart_file_holder FILE PARENT_PID: opens FILE for reading, sharing reading and writing, as
// Sierra Chart opens a chart file it follows, prints "ready <handle>" and keeps the file open until
// the parent process ends (or ten minutes pass). The parent reads through a duplicate of the handle.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc != 3) return 64;
  HANDLE file = ::CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("failed %lu\n", ::GetLastError());
    return 1;
  }
  HANDLE parent = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
  std::printf("ready %llu\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(file)));
  std::fflush(stdout);
  if (parent) ::WaitForSingleObject(parent, 600000);
  ::CloseHandle(file);
  return 0;
}
