#include "label/FormArena.h"

#include <algorithm>

namespace quillon {

void* FormArena::AllocateSlow(std::size_t bytes, std::size_t align) {
    // Blocks double, so a label of n objects costs O(log n) heap blocks.
    const std::size_t size = std::max(_nextBlock, bytes + align);
    _blocks.emplace_back(new unsigned char[size]);
    _nextBlock = size * 2;
    _cur = reinterpret_cast<std::uintptr_t>(_blocks.back().get());
    _end = _cur + size;
    return Allocate(bytes, align);
}

}  // namespace quillon
