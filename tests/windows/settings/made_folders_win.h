// Folders that a test needs on the disk, such as a Sierra Chart installation's Data folder.
#pragma once

#include <string>
#include <vector>

namespace tickvane::test {

// Folders made for a test and removed again afterwards (with what a test put into them), deepest
// first; folders that were there before are left alone.
class MadeFolders {
 public:
  explicit MadeFolders(const std::vector<std::wstring>& folders);
  ~MadeFolders();
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;

 private:
  std::vector<std::wstring> made_;
};

}  // namespace tickvane::test
