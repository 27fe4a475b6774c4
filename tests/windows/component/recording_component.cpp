#include "tests/windows/component/recording_component.h"

#include <ole2.h>

#include "common/com_object_win.h"
#include "common/com_owners_win.h"
#include "tests/windows/component/component_fixture.h"

namespace tickvane::test {
namespace {

const CLSID kStandInClsid = {0x5a1d2c3e, 0x0f4b, 0x4c6d, {0x9e, 0x8f, 0x70, 0x61, 0x52, 0x43, 0x34, 0x25}};
const wchar_t kStandInClsidText[] = L"{5A1D2C3E-0F4B-4C6D-9E8F-706152433425}";

const wchar_t* const kMethods[] = {L"writing_header", L"writing_data", L"writing_data_forward", L"add_time"};

std::wstring TextOf(const VARIANT& v) {
  UniqueVariant text;
  if (FAILED(::VariantChangeTypeEx(text.get(), const_cast<VARIANT*>(&v), LOCALE_INVARIANT, 0, VT_BSTR))) return L"?";
  return V_BSTR(text.get()) ? V_BSTR(text.get()) : L"";
}

}  // namespace

class RecordingComponent::Object final : public ComObject<RecordingComponent::Object, IDispatch> {
 public:
  explicit Object(StandInBehaviour behaviour) : ComObject(IID_IDispatch), behaviour_(std::move(behaviour)) {}
  std::vector<RecordedCall> calls;

  HRESULT __stdcall GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT __stdcall GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
  HRESULT __stdcall GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    for (DISPID i = 0; i < 4; ++i)
      if (std::wstring(names[0]) == kMethods[i] && !behaviour_.missing.count(kMethods[i])) {
        ids[0] = i + 1;
        return S_OK;
      }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT __stdcall Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                           UINT*) override {
    if (id < 1 || id > 4) return DISP_E_MEMBERNOTFOUND;
    RecordedCall call{kMethods[id - 1], {}};
    for (UINT i = params->cArgs; i-- > 0;) {
      const VARIANT& v = params->rgvarg[i];
      RecordedArgument a;
      a.type = V_VT(&v);
      if (V_VT(&v) == (VT_BYREF | VT_VARIANT)) {
        a.pointsTo = V_VT(V_VARIANTREF(&v));
        a.text = TextOf(*V_VARIANTREF(&v));
      } else {
        a.text = TextOf(v);
      }
      call.arguments.push_back(a);
    }
    calls.push_back(call);
    if (auto d = behaviour_.describing.find(call.method); d != behaviour_.describing.end()) {
      ::ZeroMemory(exception, sizeof *exception);
      exception->bstrSource = ::SysAllocString(L"stand-in");
      exception->bstrDescription = ::SysAllocString(d->second.c_str());
      exception->scode = E_FAIL;
      return DISP_E_EXCEPTION;
    }
    if (auto f = behaviour_.failing.find(call.method); f != behaviour_.failing.end()) return f->second;
    // Writer states of a type of its own (text), so that a test sees them come back unchanged.
    ::VariantInit(result);
    if (call.method == L"add_time") {
      V_VT(result) = VT_R8;
      V_R8(result) = 93915;
    } else {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = ::SysAllocString((L"state-" + std::to_wstring(calls.size())).c_str());
    }
    return S_OK;
  }

 private:
  friend class ComObject<RecordingComponent::Object, IDispatch>;
  ~Object() = default;
  StandInBehaviour behaviour_;
};

class RecordingComponent::Factory final : public ComObject<RecordingComponent::Factory, IClassFactory> {
 public:
  explicit Factory(Object* object) : ComObject(IID_IClassFactory), object_(object) {}
  // Every instance is the one recorder, so that the test sees all calls in one list.
  HRESULT __stdcall CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    return object_->QueryInterface(iid, out);
  }
  HRESULT __stdcall LockServer(BOOL) override { return S_OK; }

 private:
  friend class ComObject<RecordingComponent::Factory, IClassFactory>;
  ~Factory() = default;
  Object* object_;
};

RecordingComponent::RecordingComponent(const std::wstring& progId, StandInBehaviour behaviour)
    : progId_(progId), object_(new Object(std::move(behaviour))), factory_(new Factory(object_)) {
  RegisterProgId(progId_, kStandInClsidText);
  if (FAILED(::CoRegisterClassObject(kStandInClsid, factory_, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_)))
    cookie_ = 0;
}

RecordingComponent::~RecordingComponent() {
  if (cookie_) ::CoRevokeClassObject(cookie_);
  UnregisterProgId(progId_);
  factory_->Release();
  object_->Release();
}

const std::vector<RecordedCall>& RecordingComponent::calls() const { return object_->calls; }

}  // namespace tickvane::test
