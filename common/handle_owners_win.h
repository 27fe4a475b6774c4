// Owners for Windows handles, so that every handle's lifetime is visible in the code.
#pragma once

#include <windows.h>

#include <utility>

namespace tickvane {

// Owns a value released by Close(value); Invalid() is the value that owns nothing. Releasing never
// changes the thread's last error, so that an owner going out of scope on a failure path leaves
// GetLastError() telling what failed.
template <typename T, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueResource() { reset(); }

  T get() const { return value_; }
  // For a function that hands back a new value through a pointer: what was held goes first.
  T* put() {
    reset();
    return &value_;
  }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  T release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(T value = Traits::Invalid()) {
    T old = std::exchange(value_, value);
    if (old == Traits::Invalid()) return;
    const DWORD error = ::GetLastError();
    Traits::Close(old);
    ::SetLastError(error);
  }

 private:
  T value_ = Traits::Invalid();
};

// The traits of a kind whose "no handle" is its zero value (NULL, or 0 for a DDEML instance) and
// that one call releases, so that each owner below is one line (wil's unique_any in small).
template <typename T, auto CloseFunction>
struct ClosedBy {
  static T Invalid() { return T{}; }
  static void Close(T value) { CloseFunction(value); }
};
// The same for the kinds whose "no handle" is INVALID_HANDLE_VALUE: CreateFile's, FindFirstFile's.
template <auto CloseFunction>
struct ValidHandleClosedBy {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE value) { CloseFunction(value); }
};

using UniqueHandle = UniqueResource<HANDLE, ClosedBy<HANDLE, ::CloseHandle>>;  // kernel objects
using UniqueFile = UniqueResource<HANDLE, ValidHandleClosedBy<::CloseHandle>>;  // from CreateFile
using UniqueFind = UniqueResource<HANDLE, ValidHandleClosedBy<::FindClose>>;    // a FindFirstFile search
using UniqueFont = UniqueResource<HFONT, ClosedBy<HFONT, ::DeleteObject>>;
using UniqueBrush = UniqueResource<HBRUSH, ClosedBy<HBRUSH, ::DeleteObject>>;
using UniqueBitmap = UniqueResource<HBITMAP, ClosedBy<HBITMAP, ::DeleteObject>>;
using UniqueWindow = UniqueResource<HWND, ClosedBy<HWND, ::DestroyWindow>>;
using UniqueRegistryKey = UniqueResource<HKEY, ClosedBy<HKEY, ::RegCloseKey>>;
using UniqueModule = UniqueResource<HMODULE, ClosedBy<HMODULE, ::FreeLibrary>>;
// GlobalAlloc's blocks, DDE data among them.
using UniqueGlobalMemory = UniqueResource<HGLOBAL, ClosedBy<HGLOBAL, ::GlobalFree>>;
// What the system hands out with LocalAlloc (FormatMessage, CommandLineToArgvW).
using UniqueLocalMemory = UniqueResource<HLOCAL, ClosedBy<HLOCAL, ::LocalFree>>;

}  // namespace tickvane
