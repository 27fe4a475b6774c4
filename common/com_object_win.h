// The IUnknown part of a COM object that offers one interface besides IUnknown: QueryInterface
// and a reference count. Derived is the object's own class: made with new, it starts with one
// reference and deletes itself when the last one goes, so its destructor may stay private as
// long as it names ComObject a friend.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <new>

namespace tickvane {

template <class Derived, class Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, offered_)) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return ++refs_; }
  ULONG __stdcall Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 protected:
  explicit ComObject(const IID& offered) : offered_(offered) {}
  ~ComObject() = default;

 private:
  const IID offered_;
  std::atomic<ULONG> refs_{1};
};

// Makes a new Object and hands out its interface iid, as a class factory and DllGetClassObject
// do; the caller holds the only reference.
template <class Object>
HRESULT CreateComObject(REFIID iid, void** out) {
  auto* object = new (std::nothrow) Object();
  if (!object) return E_OUTOFMEMORY;
  const HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

}  // namespace tickvane
