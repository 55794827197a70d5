#include "base/TextBuffer.h"

#include <algorithm>

namespace quillon {

void TextBuffer::Grow(size_t more) {
    const size_t capacity = std::max({_capacity * 2, _size + more, size_t{256}});
    std::unique_ptr<char[]> data(new char[capacity]);
    if (_size > 0) std::memcpy(data.get(), _data.get(), _size);
    _data = std::move(data);
    _capacity = capacity;
}

}  // namespace quillon
