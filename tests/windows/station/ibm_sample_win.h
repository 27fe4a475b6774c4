// The bundled IBM sample as the station tests replay it.
#pragma once

#include <string>
#include <vector>

namespace tickvane::test {

struct Tick {
  std::string date, time, price;
};

// The sample's ticks in file order; empty when the sample is not found beside the build tree.
std::vector<Tick> IbmSample();

// A playback file of the ticks, with three header lines as Genvane writes them.
std::string PlaybackFile(const std::vector<Tick>& ticks);

}  // namespace tickvane::test
