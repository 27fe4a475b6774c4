#include "common/single_instance_win.h"

#include <string>

#include "common/instance_name.h"
#include "common/win_text_win.h"

namespace tickvane {

SingleInstance::SingleInstance(std::wstring_view programName) {
  std::wstring path = ProgramPath();
  // Fold the case with the system's rules, beyond what the portable name function knows.
  if (!path.empty()) ::CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  std::wstring name = SingleInstanceName(programName, path);
  mutex_.reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
  DWORD error = ::GetLastError();
  // Access denied means the object exists but belongs to another user's copy in this session.
  anotherIsRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

}  // namespace tickvane
