// The text of an automation value, as both ends of the chart-file writer's calls read it.
#pragma once

// windows.h first: oleauto.h relies on its types.
#include <windows.h>

#include <oleauto.h>

#include <string>

namespace tickvane {

// By value or by reference (references to references followed): numbers as the invariant locale
// writes them ("182.5"), empty and null as "", anything that has no text form (objects, arrays)
// as "" too.
std::wstring VariantText(const VARIANT& value);

}  // namespace tickvane
