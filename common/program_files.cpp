#include "common/program_files.h"

namespace tickvane {

std::wstring HelpPageAddress(std::wstring_view programFolder) {
  return L"\"" + std::wstring(programFolder) + L"\\" + kHelpPageName + L"\"";
}

}  // namespace tickvane
