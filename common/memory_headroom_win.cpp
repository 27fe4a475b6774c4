#include "common/memory_headroom_win.h"

#include <windows.h>

#include <vector>

namespace tickvane {

std::size_t MovableMemoryHeadroom(std::size_t cap) {
  std::vector<HGLOBAL> blocks;
  blocks.reserve(cap < 100'000 ? cap : 100'000);
  while (blocks.size() < cap) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 0);
    if (block == nullptr) break;
    blocks.push_back(block);
  }
  for (HGLOBAL block : blocks) ::GlobalFree(block);
  return blocks.size();
}

}  // namespace tickvane
