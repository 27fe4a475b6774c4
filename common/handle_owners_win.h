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

struct HandleTraits {  // kernel objects whose "no handle" is NULL
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile's "no handle" is INVALID_HANDLE_VALUE
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
template <typename G>
struct GdiTraits {
  static G Invalid() { return nullptr; }
  static void Close(G g) { ::DeleteObject(g); }
};
struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static void Close(HWND w) { ::DestroyWindow(w); }
};
struct GlobalMemoryTraits {  // GlobalAlloc's blocks, DDE data among them
  static HGLOBAL Invalid() { return nullptr; }
  static void Close(HGLOBAL g) { ::GlobalFree(g); }
};
struct LocalMemoryTraits {  // what the system hands out with LocalAlloc (FormatMessage, CommandLineToArgvW)
  static HLOCAL Invalid() { return nullptr; }
  static void Close(HLOCAL m) { ::LocalFree(m); }
};
struct RegistryKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY k) { ::RegCloseKey(k); }
};

using UniqueHandle = UniqueResource<HANDLE, HandleTraits>;
using UniqueFile = UniqueResource<HANDLE, FileHandleTraits>;
using UniqueFont = UniqueResource<HFONT, GdiTraits<HFONT>>;
using UniqueBrush = UniqueResource<HBRUSH, GdiTraits<HBRUSH>>;
using UniqueBitmap = UniqueResource<HBITMAP, GdiTraits<HBITMAP>>;
using UniqueWindow = UniqueResource<HWND, WindowTraits>;
using UniqueRegistryKey = UniqueResource<HKEY, RegistryKeyTraits>;
using UniqueGlobalMemory = UniqueResource<HGLOBAL, GlobalMemoryTraits>;
using UniqueLocalMemory = UniqueResource<HLOCAL, LocalMemoryTraits>;

}  // namespace tickvane
