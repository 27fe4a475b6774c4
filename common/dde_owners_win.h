// Owners for DDEML objects: an instance, its string handles, data handles and conversations.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <string>
#include <string_view>
#include <utility>

#include "common/handle_owners_win.h"

namespace tickvane {

// A DDEML instance from DdeInitialize. Declare it before the string handles of the same
// instance so that they are freed first.
using DdeInstance = UniqueResource<DWORD, ClosedBy<DWORD, ::DdeUninitialize>>;

// A string handle of one DDEML instance. Handles that DDEML passes to a callback are not
// owned: copy their text out with DdeStringText instead of keeping them.
class DdeString {
 public:
  DdeString() = default;
  DdeString(DWORD instance, std::wstring_view text)
      : instance_(instance),
        hsz_(::DdeCreateStringHandleW(instance, std::wstring(text).c_str(), CP_WINUNICODE)) {}
  DdeString(const DdeString&) = delete;
  DdeString& operator=(const DdeString&) = delete;
  DdeString(DdeString&& other) noexcept
      : instance_(other.instance_), hsz_(std::exchange(other.hsz_, nullptr)) {}
  DdeString& operator=(DdeString&& other) noexcept {
    if (this != &other) {
      reset();
      instance_ = other.instance_;
      hsz_ = std::exchange(other.hsz_, nullptr);
    }
    return *this;
  }
  ~DdeString() { reset(); }

  HSZ get() const { return hsz_; }
  explicit operator bool() const { return hsz_ != nullptr; }
  void reset() {
    HSZ old = std::exchange(hsz_, nullptr);
    if (old != nullptr) ::DdeFreeStringHandle(instance_, old);
  }

 private:
  DWORD instance_ = 0;
  HSZ hsz_ = nullptr;
};

// Data handles that the application owns: those returned by DdeClientTransaction, and those
// made with HDATA_APPOWNED. Handles returned from a callback belong to DDEML.
using UniqueDdeData = UniqueResource<HDDEDATA, ClosedBy<HDDEDATA, ::DdeFreeDataHandle>>;
using UniqueDdeConversation = UniqueResource<HCONV, ClosedBy<HCONV, ::DdeDisconnect>>;

}  // namespace tickvane
