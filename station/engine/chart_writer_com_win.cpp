#include "station/engine/chart_writer_com.h"

// windows.h first: ole2.h and oleauto.h rely on its types.
#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <map>
#include <vector>

#include "common/com_owners.h"
#include "common/win_text.h"
#include "station/engine/com_error_text_win.h"

namespace tickvane {
namespace {

// A value the component returned, kept as it came so that it goes back unchanged.
class VariantPayload final : public WriterValue::Payload {
 public:
  explicit VariantPayload(UniqueVariant value) : value_(std::move(value)) {}
  std::string Text() const override {
    UniqueVariant text;
    // The invariant locale writes "." as the decimal point, which the station's numeric rule reads.
    if (FAILED(::VariantChangeTypeEx(text.get(), const_cast<VARIANT*>(value_.get()), LOCALE_INVARIANT, 0, VT_BSTR)))
      return {};
    BSTR b = V_BSTR(text.get());
    return b ? ToUtf8(std::wstring_view(b, ::SysStringLen(b))) : std::string();
  }
  const VARIANT* get() const { return value_.get(); }

 private:
  UniqueVariant value_;
};

UniqueVariant TextVariant(std::wstring_view text) { return UniqueVariant::FromBstr(UniqueBstr(text)); }

// A fresh VARIANT holding what `value` holds, for the component to receive by reference.
UniqueVariant CopyOf(const WriterValue& value) {
  UniqueVariant copy;
  if (auto* v = dynamic_cast<const VariantPayload*>(value.payload())) {
    if (SUCCEEDED(::VariantCopy(copy.get(), const_cast<VARIANT*>(v->get())))) return copy;
    return UniqueVariant();
  }
  if (value.payload()) return TextVariant(FromUtf8(value.Text()));
  return copy;  // VT_EMPTY, as an unset Variant
}

class ComChartWriter final : public ChartWriter {
 public:
  explicit ComChartWriter(std::wstring progId) : progId_(std::move(progId)) {}

  // Why the component could not be created; empty when it was.
  std::wstring Create() {
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(progId_.c_str(), &clsid);
    if (FAILED(hr)) return L"the ProgID \"" + progId_ + L"\" is not registered: " + HResultText(hr);
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                            dispatch_.put_void());
    if (FAILED(hr))
      return L"the component registered as \"" + progId_ + L"\" could not be started: " + HResultText(hr);
    return {};
  }

  WriterResult writing_header(std::string_view chartFileName) override {
    return Guarded([&] {
      std::vector<Argument> args;
      args.push_back(ByValue(FromUtf8(chartFileName)));
      return Call(L"writing_header", args);
    });
  }

  WriterResult writing_data(std::string_view tickDate, std::string_view tickPrice, std::string_view tickTime,
                            const WriterValue& writerState, std::string_view chartFileName) override {
    return Guarded([&] {
      std::vector<Argument> args;
      args.push_back(ByReference(TextVariant(FromAnsi(tickDate))));
      args.push_back(ByReference(TextVariant(FromAnsi(tickPrice))));
      args.push_back(ByReference(TextVariant(FromAnsi(tickTime))));
      args.push_back(ByReference(CopyOf(writerState)));
      args.push_back(ByValue(FromUtf8(chartFileName)));
      return Call(L"writing_data", args);
    });
  }

  WriterResult writing_data_forward(std::string_view dateList, std::string_view priceList, std::string_view timeList,
                                    const WriterValue& writerState, std::string_view chartFileName) override {
    return Guarded([&] {
      std::vector<Argument> args;
      args.push_back(ByReference(TextVariant(FromAnsi(dateList))));
      args.push_back(ByReference(TextVariant(FromAnsi(priceList))));
      args.push_back(ByReference(TextVariant(FromAnsi(timeList))));
      args.push_back(ByReference(CopyOf(writerState)));
      args.push_back(ByValue(FromUtf8(chartFileName)));
      return Call(L"writing_data_forward", args);
    });
  }

  WriterResult add_time(std::string_view fromTime, std::string_view minutes) override {
    return Guarded([&] {
      std::vector<Argument> args;
      args.push_back(ByReference(TextVariant(FromUtf8(fromTime))));
      args.push_back(ByReference(TextVariant(FromUtf8(minutes))));
      return Call(L"add_time", args);
    });
  }

 private:
  // An argument in the order the method lists it; `byReference` ones are handed over as
  // VT_BYREF|VT_VARIANT pointing at `value`, the others as `value` itself.
  struct Argument {
    UniqueVariant value;
    bool byReference;
  };
  static Argument ByReference(UniqueVariant value) { return {std::move(value), true}; }
  static Argument ByValue(std::wstring_view text) { return {TextVariant(text), false}; }

  // The engine is promised results, never exceptions.
  template <typename F>
  static WriterResult Guarded(F call) {
    try {
      return call();
    } catch (const std::exception& e) {
      WriterResult r;
      r.error = e.what();
      return r;
    }
  }

  static WriterResult Failure(std::wstring text) {
    WriterResult r;
    r.error = ToUtf8(text);
    return r;
  }

  WriterResult Call(const wchar_t* method, std::vector<Argument>& args) {
    DISPID id = DISPID_UNKNOWN;
    if (auto known = ids_.find(method); known != ids_.end()) {
      id = known->second;
    } else {
      LPOLESTR name = const_cast<LPOLESTR>(method);
      HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
      if (FAILED(hr))
        return Failure(L"the component has no method " + std::wstring(method) + L" (" + HResultText(hr) + L")");
      ids_[method] = id;
    }

    // Invoke takes the arguments last one first. These VARIANTs only borrow: each owner stays in `args`.
    std::vector<VARIANT> passed(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
      VARIANT& v = passed[args.size() - 1 - i];
      if (args[i].byReference) {
        ::VariantInit(&v);
        V_VT(&v) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&v) = args[i].value.get();
      } else {
        v = *args[i].value.get();
      }
    }
    DISPPARAMS params{passed.data(), nullptr, static_cast<UINT>(passed.size()), 0};
    UniqueVariant result;
    UniqueExcepInfo exception;
    UINT argumentError = 0;
    HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                                   result.get(), exception.get(), &argumentError);
    if (hr == DISP_E_EXCEPTION) {
      EXCEPINFO* e = exception.get();
      if (e->pfnDeferredFillIn) e->pfnDeferredFillIn(e);
      if (e->bstrDescription && ::SysStringLen(e->bstrDescription) > 0)
        return Failure(std::wstring(e->bstrDescription, ::SysStringLen(e->bstrDescription)));
      return Failure(HResultText(e->scode ? e->scode : DISP_E_EXCEPTION));
    }
    if (FAILED(hr)) return Failure(HResultText(hr));
    WriterResult r;
    r.ok = true;
    r.value = WriterValue(std::make_shared<const VariantPayload>(std::move(result)));
    return r;
  }

  // Joined first and left last: the component is released while the apartment still stands.
  ComApartment apartment_;
  std::wstring progId_;
  ComPtr<IDispatch> dispatch_;
  std::map<std::wstring, DISPID> ids_;
};

class ComChartWriterFactory final : public ChartWriterFactory {
 public:
  explicit ComChartWriterFactory(std::string progId) : progId_(std::move(progId)) {}

  WriterCreation Create() override {
    WriterCreation out;
    try {
      auto writer = std::make_unique<ComChartWriter>(FromUtf8(progId_));
      std::wstring error = writer->Create();
      if (error.empty())
        out.writer = std::move(writer);
      else
        out.error = ToUtf8(error);
    } catch (const std::exception& e) {
      out.error = e.what();
    }
    return out;
  }
  std::string ComponentName() const override { return progId_; }

 private:
  std::string progId_;
};

}  // namespace

std::unique_ptr<ChartWriterFactory> MakeComChartWriterFactory(std::string progId) {
  return std::make_unique<ComChartWriterFactory>(std::move(progId));
}

}  // namespace tickvane
