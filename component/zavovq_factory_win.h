// The class factory of the chart-file writer object.
#pragma once

#include <windows.h>

namespace tickvane::zavovq {

// A new class factory, asked for `iid`.
HRESULT GetClassFactory(REFIID iid, void** out);

// A new chart-file writer object, asked for `iid`.
HRESULT CreateChartWriterObject(REFIID iid, void** out);

}  // namespace tickvane::zavovq
