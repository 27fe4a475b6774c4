// zavovq.dll seen as any automation client sees it: names in any letter case, and the automation
// errors it answers with.
#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "common/com_owners_win.h"
#include "tests/windows/component/component_fixture.h"

namespace tickvane::test {
namespace {

class DispatchTest : public ComponentTest {
 protected:
  void SetUp() override {
    ComponentTest::SetUp();
    CLSID clsid;
    ASSERT_EQ(::CLSIDFromProgID(L"zavovq", &clsid), S_OK);
    ASSERT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, dispatch_.put_void()), S_OK);
  }
  HRESULT IdOf(const wchar_t* name, DISPID& id) {
    LPOLESTR n = const_cast<LPOLESTR>(name);
    return dispatch_->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
  }
  ComPtr<IDispatch> dispatch_;
};

TEST_F(DispatchTest, NamesAreFoundInAnyLetterCase) {
  const std::initializer_list<std::initializer_list<const wchar_t*>> groups = {
      {L"writing_header", L"WRITING_HEADER", L"Writing_Header"},
      {L"writing_data", L"Writing_Data"},
      {L"writing_data_forward", L"WRITING_DATA_FORWARD"},
      {L"add_time", L"Add_Time"}};
  std::vector<DISPID> seen;
  for (const auto& group : groups) {
    DISPID first = DISPID_UNKNOWN;
    for (const wchar_t* name : group) {
      DISPID id = DISPID_UNKNOWN;
      ASSERT_EQ(IdOf(name, id), S_OK) << name;
      if (first == DISPID_UNKNOWN) first = id;
      EXPECT_EQ(id, first) << name;
    }
    for (DISPID other : seen) EXPECT_NE(first, other);
    seen.push_back(first);
  }
}

TEST_F(DispatchTest, UnknownNamesAreRefused) {
  DISPID id = 0;
  EXPECT_EQ(IdOf(L"writing_dat", id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  EXPECT_EQ(IdOf(L"", id), DISP_E_UNKNOWNNAME);
}

TEST_F(DispatchTest, WrongArgumentCountsAreRefused) {
  DISPID id = 0;
  ASSERT_EQ(IdOf(L"add_time", id), S_OK);
  UniqueVariant a = UniqueVariant::FromBstr(MakeBstr(L"93015"));
  for (UINT count : {0u, 1u, 3u}) {
    std::vector<VARIANT> args(count, *a.get());
    DISPPARAMS params{args.data(), nullptr, count, 0};
    UniqueVariant result;
    EXPECT_EQ(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), nullptr,
                                nullptr),
              DISP_E_BADPARAMCOUNT)
        << count;
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(dispatch_->Invoke(99, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchTest, FailuresAreAutomationErrorsWithTheComponentsDescription) {
  DISPID id = 0;
  ASSERT_EQ(IdOf(L"writing_header", id), S_OK);
  // By value, as a plain caller might pass it.
  UniqueVariant name = UniqueVariant::FromBstr(MakeBstr(L"..\\x.mnd"));
  DISPPARAMS params{name.get(), nullptr, 1, 0};
  UniqueVariant result;
  UniqueExcepInfo exception;
  EXPECT_EQ(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(),
                              exception.get(), nullptr),
            DISP_E_EXCEPTION);
  ASSERT_NE(exception.get()->bstrSource, nullptr);
  EXPECT_STREQ(exception.get()->bstrSource, L"zavovq");
  ASSERT_NE(exception.get()->bstrDescription, nullptr);
  EXPECT_NE(std::wstring(exception.get()->bstrDescription).find(L"refused"), std::wstring::npos);
  EXPECT_TRUE(FAILED(exception.get()->scode));
}

TEST_F(DispatchTest, NumbersPassedByValueAreReadAsNumbers) {
  DISPID id = 0;
  ASSERT_EQ(IdOf(L"add_time", id), S_OK);
  VARIANT args[2];  // last argument first
  ::VariantInit(&args[0]);
  ::VariantInit(&args[1]);
  V_VT(&args[0]) = VT_R8;
  V_R8(&args[0]) = 9;
  V_VT(&args[1]) = VT_I4;
  V_I4(&args[1]) = 95500;
  DISPPARAMS params{args, nullptr, 2, 0};
  UniqueVariant result;
  ASSERT_EQ(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                              result.get(), nullptr, nullptr),
            S_OK);
  ASSERT_EQ(V_VT(result.get()), VT_I4);
  EXPECT_EQ(V_I4(result.get()), 100400);
}

}  // namespace
}  // namespace tickvane::test
