#include "component/zavovq_factory_win.h"

#include <ole2.h>

#include <atomic>
#include <new>

#include "component/zavovq_module_win.h"

namespace tickvane::zavovq {
namespace {

class ClassFactory final : public IClassFactory {
 public:
  ClassFactory() { ModuleAddRef(); }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return ++refs_; }
  ULONG __stdcall Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT __stdcall CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return CreateChartWriterObject(iid, out);
  }
  HRESULT __stdcall LockServer(BOOL lock) override {
    if (lock)
      ModuleAddRef();
    else
      ModuleRelease();
    return S_OK;
  }

 private:
  ~ClassFactory() { ModuleRelease(); }
  std::atomic<ULONG> refs_{1};
};

}  // namespace

HRESULT GetClassFactory(REFIID iid, void** out) {
  auto* factory = new (std::nothrow) ClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

}  // namespace tickvane::zavovq
