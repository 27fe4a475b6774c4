#include "tests/windows/settings/made_folders_win.h"

#include <windows.h>

#include "common/handle_owners_win.h"

namespace tickvane::test {

MadeFolders::MadeFolders(const std::vector<std::wstring>& folders) {
  for (const std::wstring& folder : folders) {
    // Each parent first, so that the removal knows exactly which ones were made here.
    for (size_t at = folder.find(L'\\', 3); ; at = folder.find(L'\\', at + 1)) {
      const std::wstring part = folder.substr(0, at);
      if (::CreateDirectoryW(part.c_str(), nullptr)) made_.push_back(part);
      if (at == std::wstring::npos) break;
    }
  }
}

MadeFolders::~MadeFolders() {
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
    WIN32_FIND_DATAW found{};
    UniqueFind search(::FindFirstFileW((*it + L"\\*").c_str(), &found));
    if (search) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW((*it + L"\\" + found.cFileName).c_str());
      } while (::FindNextFileW(search.get(), &found));
    }
    ::RemoveDirectoryW(it->c_str());
  }
}

}  // namespace tickvane::test
