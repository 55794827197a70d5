#ifndef QUILLON_FORM_BUMPARENA_H
#define QUILLON_FORM_BUMPARENA_H

// Goal: memory that is handed out without a heap call per piece and given
// back all at once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace quillon {

// Memory for things that grow together and die together: a recorder's
// lists, the parts of a label's objects. It comes from an inline block, then
// from larger heap blocks, and goes back all at once (Rewind, or the arena's
// end) instead of piece by piece. Nothing allocated here is destroyed by the
// arena: the owners run the destructors.
class BumpArena {
  public:
    BumpArena() = default;
    BumpArena(const BumpArena&) = delete;
    BumpArena& operator=(const BumpArena&) = delete;

    void* Allocate(std::size_t bytes, std::size_t align) {
        auto p = (_cur + (align - 1)) & ~static_cast<std::uintptr_t>(align - 1);
        if (p + bytes > _end || p < _cur) return AllocateSlow(bytes, align);
        _cur = p + bytes;
        return reinterpret_cast<void*>(p);
    }

    // Forgets everything allocated so far: the inline block is used again
    // and the heap blocks are freed, so one huge label does not pin memory.
    void Rewind() noexcept;

    // Bytes taken from the heap beyond the inline block.
    std::size_t HeapBytes() const noexcept { return _heapBytes; }

  private:
    void* AllocateSlow(std::size_t bytes, std::size_t align);

    alignas(std::max_align_t) unsigned char _inline[12288];
    std::uintptr_t _cur = reinterpret_cast<std::uintptr_t>(_inline);
    std::uintptr_t _end = reinterpret_cast<std::uintptr_t>(_inline) + sizeof _inline;
    std::size_t _nextBlock = sizeof _inline * 2;
    std::size_t _heapBytes = 0;
    std::vector<std::unique_ptr<unsigned char[]>> _blocks;
};

}  // namespace quillon

#endif
