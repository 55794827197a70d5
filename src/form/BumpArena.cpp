#include "form/BumpArena.h"

#include <algorithm>

namespace quillon {

void* BumpArena::AllocateSlow(std::size_t bytes, std::size_t align) {
    // Blocks double, so a label of n objects costs O(log n) heap blocks.
    const std::size_t size = std::max(_nextBlock, bytes + align);
    _blocks.reserve(_blocks.size() + 1);
    _blocks.emplace_back(new unsigned char[size]);
    _heapBytes += size;
    _nextBlock = size * 2;
    _cur = reinterpret_cast<std::uintptr_t>(_blocks.back().get());
    _end = _cur + size;
    return Allocate(bytes, align);
}

void BumpArena::Rewind() noexcept {
    _blocks.clear();
    _heapBytes = 0;
    _cur = reinterpret_cast<std::uintptr_t>(_inline);
    _end = _cur + sizeof _inline;
    _nextBlock = sizeof _inline * 2;
}

}  // namespace quillon
