// Owners for COM and automation values: BSTR, VARIANT, interface pointers, EXCEPINFO, and the
// apartment of a thread.
#pragma once

// windows.h first: ole2.h and oleauto.h rely on its types.
#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

#include "common/handle_owners_win.h"

namespace tickvane {

using UniqueBstr = UniqueResource<BSTR, ClosedBy<BSTR, ::SysFreeString>>;
// What COM and the shell allocate with CoTaskMemAlloc for the caller.
using UniqueCoTaskMemory = UniqueResource<void*, ClosedBy<void*, ::CoTaskMemFree>>;

// A BSTR of the text; SysAllocStringLen keeps embedded NULs and sizes beyond wcslen.
inline UniqueBstr MakeBstr(std::wstring_view text) {
  return UniqueBstr(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// Owns a VARIANT (VariantClear).
class UniqueVariant {
 public:
  UniqueVariant() { ::VariantInit(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  UniqueVariant(UniqueVariant&& other) noexcept {
    ::VariantInit(&value_);
    std::swap(value_, other.value_);
  }
  UniqueVariant& operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
      reset();
      std::swap(value_, other.value_);
    }
    return *this;
  }
  ~UniqueVariant() { reset(); }

  // Takes a BSTR as a VT_BSTR value.
  static UniqueVariant FromBstr(UniqueBstr text) {
    UniqueVariant v;
    V_VT(&v.value_) = VT_BSTR;
    V_BSTR(&v.value_) = text.release();
    return v;
  }

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  VARIANT* put() {
    reset();
    return &value_;
  }
  void reset() {
    ::VariantClear(&value_);
    ::VariantInit(&value_);
  }

 private:
  VARIANT value_;
};

// Owns one reference to a COM interface.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* adopted) : p_(adopted) {}
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(const ComPtr& other) {
    if (this != &other) {
      if (other.p_) other.p_->AddRef();
      reset(other.p_);
    }
    return *this;
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset(T* adopted = nullptr) {
    T* old = std::exchange(p_, adopted);
    if (old) old->Release();
  }

 private:
  T* p_ = nullptr;
};

// Owns the BSTRs that IDispatch::Invoke leaves in an EXCEPINFO.
class UniqueExcepInfo {
 public:
  UniqueExcepInfo() { ::ZeroMemory(&info_, sizeof info_); }
  UniqueExcepInfo(const UniqueExcepInfo&) = delete;
  UniqueExcepInfo& operator=(const UniqueExcepInfo&) = delete;
  ~UniqueExcepInfo() {
    ::SysFreeString(info_.bstrSource);
    ::SysFreeString(info_.bstrDescription);
    ::SysFreeString(info_.bstrHelpFile);
  }
  EXCEPINFO* get() { return &info_; }

 private:
  EXCEPINFO info_;
};

// Joins the calling thread to a single-threaded apartment for the owner's lifetime. A thread that is
// already in an apartment keeps it (and the owner then does not leave it).
class ComApartment {
 public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    // S_FALSE also counts: every successful CoInitializeEx needs its CoUninitialize.
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }

 private:
  HRESULT result_;
};

}  // namespace tickvane
