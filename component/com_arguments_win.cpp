#include "component/com_arguments_win.h"

#include "common/com_owners.h"
#include "common/win_text.h"

namespace tickvane::zavovq {

std::string ArgumentText(const VARIANT& argument) {
  // Callers pass VT_BYREF|VT_VARIANT, and a VARIANT they point to may itself be a reference.
  UniqueVariant value;
  if (FAILED(::VariantCopyInd(value.get(), const_cast<VARIANT*>(&argument)))) return {};
  for (int depth = 0; depth < 8 && V_VT(value.get()) & VT_BYREF; ++depth) {
    UniqueVariant inner;
    if (FAILED(::VariantCopyInd(inner.get(), value.get()))) return {};
    value = std::move(inner);
  }
  UniqueVariant text;
  // The invariant locale keeps "." as the decimal point, whatever the user's settings say.
  if (FAILED(::VariantChangeTypeEx(text.get(), value.get(), LOCALE_INVARIANT, 0, VT_BSTR))) return {};
  BSTR b = V_BSTR(text.get());
  return b ? ToUtf8(std::wstring_view(b, ::SysStringLen(b))) : std::string();
}

}  // namespace tickvane::zavovq
