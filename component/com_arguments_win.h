// Automation arguments as the component reads them.
#pragma once

// windows.h first: oleauto.h relies on its types.
#include <windows.h>

#include <oleauto.h>

#include <string>

namespace tickvane::zavovq {

// The text of an argument, by value or by reference, in UTF-8: numbers as the invariant locale
// writes them ("182.5"), empty and null as "", anything that has no text form (objects, arrays)
// as "" too.
std::string ArgumentText(const VARIANT& argument);

}  // namespace tickvane::zavovq
