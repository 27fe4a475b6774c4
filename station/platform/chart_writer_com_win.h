// The chart-file writer as a COM automation component, found by its ProgID and called late-bound
// through IDispatch, so that any component registered under the ProgID serves, not only ours.
#pragma once

#include <memory>
#include <string>

#include "station/engine/chart_writer.h"

namespace tickvane {

// Instances are created (and must be used) on the calling thread, which joins a single-threaded
// apartment for as long as an instance lives.
std::unique_ptr<ChartWriterFactory> MakeComChartWriterFactory(std::wstring progId = L"zavovq");

}  // namespace tickvane
