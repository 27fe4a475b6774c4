#include "common/variant_text_win.h"

#include "common/com_owners_win.h"

namespace tickvane {

std::wstring VariantText(const VARIANT& value) {
  UniqueVariant plain;
  if (FAILED(::VariantCopyInd(plain.get(), const_cast<VARIANT*>(&value)))) return {};
  for (int depth = 0; depth < 8 && V_VT(plain.get()) & VT_BYREF; ++depth) {
    UniqueVariant inner;
    if (FAILED(::VariantCopyInd(inner.get(), plain.get()))) return {};
    plain = std::move(inner);
  }
  UniqueVariant text;
  // The invariant locale keeps "." as the decimal point, whatever the user's settings say, which
  // the station's numeric rule and the component's reading of prices expect.
  if (FAILED(::VariantChangeTypeEx(text.get(), plain.get(), LOCALE_INVARIANT, 0, VT_BSTR))) return {};
  BSTR b = V_BSTR(text.get());
  return b ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
}

}  // namespace tickvane
