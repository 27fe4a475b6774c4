// The chart-file writer object: IDispatch without a type library, so that late-bound callers find
// its four methods by name, in any letter case, as automation clients expect.
#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <new>
#include <string>

#include "common/com_object_win.h"
#include "common/com_owners_win.h"
#include "common/variant_text_win.h"
#include "common/win_text_win.h"
#include "component/add_time.h"
#include "component/chart_number.h"
#include "component/chart_session_win.h"
#include "component/zavovq_factory_win.h"
#include "component/zavovq_module_win.h"

namespace tickvane::zavovq {
namespace {

enum Method : DISPID { kWritingHeader = 1, kWritingData, kWritingDataForward, kAddTime };

struct MethodInfo {
  const wchar_t* name;
  DISPID id;
  UINT arguments;
};

constexpr MethodInfo kMethods[] = {
    {L"writing_header", kWritingHeader, 1},
    {L"writing_data", kWritingData, 5},
    {L"writing_data_forward", kWritingDataForward, 5},
    {L"add_time", kAddTime, 2},
};

const MethodInfo* FindMethod(DISPID id) {
  for (const auto& m : kMethods)
    if (m.id == id) return &m;
  return nullptr;
}

// Texts that are no number give 0, the station's "no target".
Outcome AddTime(const std::string& fromTime, const std::string& minutes) {
  auto from = chart::ParseNumber(fromTime);
  auto count = chart::ParseNumber(minutes);
  if (!from || !count) return {};
  return {chart::AddMinutes(*from, *count), {}, S_OK};
}

Outcome Call(ChartSession& session, DISPID id, const DISPPARAMS& params) {
  // Invoke hands the arguments over last one first. The chart-file name stays as it came; the
  // numbers are read from UTF-8.
  auto name = [&params](UINT i) { return VariantText(params.rgvarg[params.cArgs - 1 - i]); };
  auto arg = [&params](UINT i) { return ToUtf8(VariantText(params.rgvarg[params.cArgs - 1 - i])); };
  switch (id) {
    case kWritingHeader: return session.WritingHeader(name(0));
    case kWritingData: return session.WritingData(arg(0), arg(1), arg(2), name(4));
    case kWritingDataForward: return session.WritingDataForward(arg(0), arg(1), arg(2), name(4));
    case kAddTime: return AddTime(arg(0), arg(1));
  }
  return Failed(L"Unknown method.", DISP_E_MEMBERNOTFOUND);
}

class ChartWriterObject final : public ComObject<ChartWriterObject, IDispatch> {
 public:
  ChartWriterObject() : ComObject(IID_IDispatch) { ModuleAddRef(); }

  HRESULT __stdcall GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT __stdcall GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }

  HRESULT __stdcall GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT result = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const auto& m : kMethods)
      if (names[0] && ::CompareStringOrdinal(names[0], -1, m.name, -1, TRUE) == CSTR_EQUAL) ids[0] = m.id;
    if (ids[0] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    // Our methods take no named arguments.
    for (UINT i = 1; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }

  HRESULT __stdcall Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* exception, UINT* argumentError) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const MethodInfo* method = FindMethod(id);
    // Late-bound callers ask for a method with a result as a method or a property get.
    if (!method || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (!params) return E_INVALIDARG;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs != method->arguments) return DISP_E_BADPARAMCOUNT;
    if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
    if (argumentError) *argumentError = 0;

    // No C++ exception may leave a COM method.
    Outcome outcome;
    try {
      outcome = Call(session_, id, *params);
    } catch (const std::bad_alloc&) {
      outcome = Failed(L"Out of memory.", E_OUTOFMEMORY);
    } catch (...) {
      outcome = Failed(L"Unexpected internal error.", E_UNEXPECTED);
    }

    if (!outcome.error.empty()) {
      if (exception) {
        ::ZeroMemory(exception, sizeof *exception);
        exception->bstrSource = ::SysAllocString(L"zavovq");
        exception->bstrDescription = ::SysAllocString(outcome.error.c_str());
        exception->scode = outcome.code;
      }
      return DISP_E_EXCEPTION;
    }
    if (result) {
      ::VariantInit(result);
      if (id == kAddTime) {
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(outcome.value);
      } else {
        V_VT(result) = VT_R8;
        V_R8(result) = outcome.value;
      }
    }
    return S_OK;
  }

 private:
  friend class ComObject<ChartWriterObject, IDispatch>;
  ~ChartWriterObject() { ModuleRelease(); }

  ChartSession session_;
};

}  // namespace

HRESULT CreateChartWriterObject(REFIID iid, void** out) { return CreateComObject<ChartWriterObject>(iid, out); }

}  // namespace tickvane::zavovq
