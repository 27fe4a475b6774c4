// How many more movable memory blocks this process could allocate. Under Wine a process has
// 65,536 movable handles, and DDE data travels in movable blocks: a DDE program that keeps one per
// update runs out within a trading day. Comparing the figure before and after a run shows whether
// a program frees what it sends and receives.
#pragma once

#include <cstddef>

namespace tickvane {

// Allocates zero-size movable blocks until the system refuses one or `cap` are held, then frees
// them all again; returns how many it got.
std::size_t MovableMemoryHeadroom(std::size_t cap = 1'000'000);

}  // namespace tickvane
