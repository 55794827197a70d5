#ifndef QUILLON_FORM_ATTRIBUTELIST_H
#define QUILLON_FORM_ATTRIBUTELIST_H

// Goal: recording a row appends to every list with a store and an increment.

#include <cstddef>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "form/BumpArena.h"

namespace quillon {

// One attribute list of the form recorder: a growable array whose storage
// comes from the form's arena. It does what the recorder needs and no more:
// unlike std::vector<bool>, a bool is a byte (no bit masking per append),
// and the recorder appends whole rows after making room once
// (AppendUnchecked), so an append is a store and an increment.
template <typename T>
class AttributeList {
  public:
    using value_type = T;

    explicit AttributeList(BumpArena* arena) noexcept : _arena(arena) {}
    AttributeList(const AttributeList&) = delete;
    AttributeList& operator=(const AttributeList&) = delete;
    // The memory goes back with the arena; only the elements need ending.
    ~AttributeList() { Destroy(_begin, _end); }

    size_t size() const noexcept { return static_cast<size_t>(_end - _begin); }
    size_t capacity() const noexcept { return static_cast<size_t>(_cap - _begin); }
    bool empty() const noexcept { return _end == _begin; }

    T& at(size_t i) {
        if (i >= size()) throw std::out_of_range("AttributeList::at");
        return _begin[i];
    }
    const T& at(size_t i) const {
        if (i >= size()) throw std::out_of_range("AttributeList::at");
        return _begin[i];
    }
    T& operator[](size_t i) noexcept { return _begin[i]; }
    const T& operator[](size_t i) const noexcept { return _begin[i]; }
    T* begin() noexcept { return _begin; }
    T* end() noexcept { return _end; }
    const T* begin() const noexcept { return _begin; }
    const T* end() const noexcept { return _end; }

    void reserve(size_t count) {
        if (count <= capacity()) return;
        T* fresh = static_cast<T*>(_arena->Allocate(count * sizeof(T), alignof(T)));
        // The recorder keeps numbers, pointers and text views: moving cannot throw.
        static_assert(std::is_nothrow_move_constructible_v<T>);
        T* to = fresh;
        for (T* from = _begin; from != _end; ++from, ++to) new (to) T(std::move(*from));
        Destroy(_begin, _end);
        _end = fresh + size();
        _begin = fresh;
        _cap = fresh + count;
    }

    void push_back(T value) {
        if (_end == _cap) reserve(size() * 2 + 1);
        AppendUnchecked(std::move(value));
    }

    // Appends to a list with room for one more; the caller made sure of it.
    void AppendUnchecked(T&& value) noexcept {
        new (_end) T(std::move(value));
        ++_end;
    }

    // Ends every element and keeps the storage.
    void clear() noexcept {
        Destroy(_begin, _end);
        _end = _begin;
    }

  private:
    static void Destroy(T* from, T* to) noexcept {
        if constexpr (!std::is_trivially_destructible_v<T>)
            for (; from != to; ++from) from->~T();
    }

    BumpArena* _arena;
    T* _begin = nullptr;
    T* _end = nullptr;
    T* _cap = nullptr;
};

}  // namespace quillon

#endif
