#ifndef QUILLON_LABEL_FORMARENA_H
#define QUILLON_LABEL_FORMARENA_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace quillon {

// Storage for one recorder's lists. A label's lists grow together and die
// together, so they take their memory from one bump arena (an inline block,
// then larger heap blocks) instead of some sixty separate heap blocks, and
// give it back all at once when the form goes.
class FormArena {
  public:
    FormArena() = default;
    FormArena(const FormArena&) = delete;
    FormArena& operator=(const FormArena&) = delete;

    void* Allocate(std::size_t bytes, std::size_t align) {
        auto p = (_cur + (align - 1)) & ~static_cast<std::uintptr_t>(align - 1);
        if (p + bytes > _end || p < _cur) return AllocateSlow(bytes, align);
        _cur = p + bytes;
        return reinterpret_cast<void*>(p);
    }

  private:
    void* AllocateSlow(std::size_t bytes, std::size_t align);

    alignas(std::max_align_t) unsigned char _inline[12288];
    std::uintptr_t _cur = reinterpret_cast<std::uintptr_t>(_inline);
    std::uintptr_t _end = reinterpret_cast<std::uintptr_t>(_inline) + sizeof _inline;
    std::size_t _nextBlock = sizeof _inline * 2;
    std::vector<std::unique_ptr<unsigned char[]>> _blocks;
};

// Allocator over a FormArena; freeing is a no-op, the arena frees everything.
template <typename T>
class ArenaAllocator {
  public:
    using value_type = T;

    explicit ArenaAllocator(FormArena* arena) noexcept : _arena(arena) {}
    template <typename U>
    ArenaAllocator(const ArenaAllocator<U>& other) noexcept : _arena(other.Arena()) {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / 2 / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(_arena->Allocate(n * sizeof(T), alignof(T)));
    }
    void deallocate(T*, std::size_t) noexcept {}

    FormArena* Arena() const noexcept { return _arena; }
    template <typename U>
    bool operator==(const ArenaAllocator<U>& other) const noexcept {
        return _arena == other.Arena();
    }
    template <typename U>
    bool operator!=(const ArenaAllocator<U>& other) const noexcept {
        return _arena != other.Arena();
    }

  private:
    FormArena* _arena;
};

}  // namespace quillon

#endif
