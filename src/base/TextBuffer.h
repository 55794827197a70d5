#ifndef QUILLON_BASE_TEXTBUFFER_H
#define QUILLON_BASE_TEXTBUFFER_H

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace quillon {

// Text appended in place. Command text is put together from many short
// pieces; an append here is a bounds check and a copy that the compiler
// inlines, where std::string::append is an out-of-line call. The buffer
// grows by doubling and never truncates.
class TextBuffer {
  public:
    TextBuffer() = default;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    void Append(std::string_view text) {
        if (__builtin_expect(text.size() > _capacity - _size, 0)) Grow(text.size());
        // An empty view may hold a null pointer, which memcpy must not get.
        if (!text.empty()) std::memcpy(_data.get() + _size, text.data(), text.size());
        _size += text.size();
    }
    void Append(char c) {
        if (__builtin_expect(_size == _capacity, 0)) Grow(1);
        _data[_size++] = c;
    }
    void append(const char* first, const char* last) {
        Append(std::string_view(first, static_cast<size_t>(last - first)));
    }
    // Room for `size` more bytes, to be written at the pointer returned and
    // taken in by Commit(end of what was written).
    char* Space(size_t size) {
        if (__builtin_expect(size > _capacity - _size, 0)) Grow(size);
        return _data.get() + _size;
    }
    void Commit(const char* end) { _size = static_cast<size_t>(end - _data.get()); }

    std::string_view View() const { return {_data.get(), _size}; }
    std::string ToString() const { return std::string(View()); }
    size_t size() const { return _size; }
    bool empty() const { return _size == 0; }
    char back() const { return _data[_size - 1]; }
    // Drops everything after the first `size` bytes.
    void Truncate(size_t size) {
        if (size < _size) _size = size;
    }
    void Clear() { _size = 0; }
    void Reserve(size_t capacity) {
        if (capacity > _capacity) Grow(capacity - _size);
    }
    size_t Capacity() const { return _capacity; }
    // Gives the memory back.
    void Release() {
        _data.reset();
        _size = _capacity = 0;
    }

  private:
    // Room for `more` bytes after the text.
    [[gnu::noinline, gnu::cold]] void Grow(size_t more);

    std::unique_ptr<char[]> _data;
    size_t _size = 0;
    size_t _capacity = 0;
};

}  // namespace quillon

#endif
