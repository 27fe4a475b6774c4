#include "component/zavovq_factory_win.h"

#include <ole2.h>

#include <new>

#include "common/com_object_win.h"
#include "component/zavovq_module_win.h"

namespace tickvane::zavovq {
namespace {

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
 public:
  ClassFactory() : ComObject(IID_IClassFactory) { ModuleAddRef(); }

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
  friend class ComObject<ClassFactory, IClassFactory>;
  ~ClassFactory() { ModuleRelease(); }
};

}  // namespace

HRESULT GetClassFactory(REFIID iid, void** out) { return CreateComObject<ClassFactory>(iid, out); }

}  // namespace tickvane::zavovq
