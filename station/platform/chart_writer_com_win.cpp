#include "station/platform/chart_writer_com_win.h"

// windows.h first: ole2.h and oleauto.h rely on its types.
#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <map>
#include <vector>

#include "common/com_owners_win.h"
#include "common/variant_text_win.h"
#include "common/win_text_win.h"

namespace tickvane {
namespace {

UniqueVariant TextVariant(std::wstring_view text) { return UniqueVariant::FromBstr(MakeBstr(text)); }

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

  WriterResult writing_header(std::wstring_view chartFileName) override {
    return Guarded([&] {
      std::vector<Argument> args;
      args.push_back(ByValue(chartFileName));
      return Write(L"writing_header", args);
    });
  }

  WriterResult writing_data(std::string_view tickDate, std::string_view tickPrice, std::string_view tickTime,
                            std::wstring_view chartFileName) override {
    return Guarded([&] { return WriteTicks(L"writing_data", tickDate, tickPrice, tickTime, chartFileName); });
  }

  WriterResult writing_data_forward(std::string_view dateList, std::string_view priceList, std::string_view timeList,
                                    std::wstring_view chartFileName) override {
    return Guarded([&] { return WriteTicks(L"writing_data_forward", dateList, priceList, timeList, chartFileName); });
  }

  WriterResult add_time(std::wstring_view fromTime, std::wstring_view minutes) override {
    return Guarded([&] {
      std::vector<Argument> args;
      args.push_back(ByReference(TextVariant(fromTime)));
      args.push_back(ByReference(TextVariant(minutes)));
      UniqueVariant value;
      WriterResult r = Call(L"add_time", args, value);
      if (r.ok) r.value = WriterValue::FromText(VariantText(*value.get()));
      return r;
    });
  }

  std::wstring WriterStateText() const override { return VariantText(*writerState_.get()); }

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
      r.error = FromUtf8(e.what());
      return r;
    }
  }

  static WriterResult Failure(std::wstring text) {
    WriterResult r;
    r.error = std::move(text);
    return r;
  }

  // The tick fields and lists go as the tick file holds them; the writer state by reference, so
  // that the component gets back what it returned last, of the type it chose.
  WriterResult WriteTicks(const wchar_t* method, std::string_view dates, std::string_view prices,
                          std::string_view times, std::wstring_view chartFileName) {
    std::vector<Argument> args;
    args.push_back(ByReference(TextVariant(FromAnsi(dates))));
    args.push_back(ByReference(TextVariant(FromAnsi(prices))));
    args.push_back(ByReference(TextVariant(FromAnsi(times))));
    args.push_back(ByReference(StateCopy()));
    args.push_back(ByValue(chartFileName));
    return Write(method, args);
  }

  // A writing call: its result is the next writer state, when it succeeded.
  WriterResult Write(const wchar_t* method, std::vector<Argument>& args) {
    UniqueVariant value;
    WriterResult r = Call(method, args, value);
    if (r.ok) writerState_ = std::move(value);
    return r;
  }

  // A fresh copy of the state for the component to receive by reference (and change, if it likes).
  UniqueVariant StateCopy() const {
    UniqueVariant copy;
    if (FAILED(::VariantCopy(copy.get(), const_cast<VARIANT*>(writerState_.get())))) return UniqueVariant();
    return copy;
  }

  WriterResult Call(const wchar_t* method, std::vector<Argument>& args, UniqueVariant& result) {
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
    return r;
  }

  // Joined first and left last: the component is released while the apartment still stands.
  ComApartment apartment_;
  std::wstring progId_;
  ComPtr<IDispatch> dispatch_;
  std::map<std::wstring, DISPID> ids_;
  // The result of the last successful writing call; empty (VT_EMPTY, an unset Variant) before it.
  UniqueVariant writerState_;
};

class ComChartWriterFactory final : public ChartWriterFactory {
 public:
  explicit ComChartWriterFactory(std::wstring progId) : progId_(std::move(progId)) {}

  WriterCreation Create() override {
    WriterCreation out;
    try {
      auto writer = std::make_unique<ComChartWriter>(progId_);
      std::wstring error = writer->Create();
      if (error.empty())
        out.writer = std::move(writer);
      else
        out.error = std::move(error);
    } catch (const std::exception& e) {
      out.error = FromUtf8(e.what());
    }
    return out;
  }
  std::wstring ComponentName() const override { return progId_; }

 private:
  std::wstring progId_;
};

}  // namespace

std::unique_ptr<ChartWriterFactory> MakeComChartWriterFactory(std::wstring progId) {
  return std::make_unique<ComChartWriterFactory>(std::move(progId));
}

}  // namespace tickvane
