// Runs a function when the scope ends, however it ends, unless told not to: for the undoing that
// belongs to a step half taken (a registration to take back when what follows fails).
#pragma once

#include <utility>

namespace tickvane {

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() {
    if (armed_) f_();
  }
  // The step was taken whole: nothing to undo.
  void Release() { armed_ = false; }

 private:
  F f_;
  bool armed_ = true;
};

}  // namespace tickvane
