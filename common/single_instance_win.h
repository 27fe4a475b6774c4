// Keeps a second copy of a program, started from the same program file, from running.
#pragma once

#include <string_view>

#include "common/handle_owners_win.h"

namespace tickvane {

class SingleInstance {
 public:
  // Takes this program file's named kernel object (see SingleInstanceName); it is held for the
  // rest of the process, so copies started later see it.
  explicit SingleInstance(std::wstring_view programName);
  bool AnotherIsRunning() const { return anotherIsRunning_; }

 private:
  UniqueHandle mutex_;
  bool anotherIsRunning_ = false;
};

}  // namespace tickvane
