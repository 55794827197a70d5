#ifndef QUILLON_FORM_FORMSTORAGE_H
#define QUILLON_FORM_FORMSTORAGE_H

// Goal: recording an object costs no allocation per list entry, and clearing
// a form gives all of a label's memory back at once.

#include <cstring>
#include <string_view>

#include "form/BumpArena.h"
#include "form/FormText.h"

namespace quillon {

// The memory behind a form recorder. A base class, so that it is made before
// the recorder's lists and ends after them.
class FormStorage {
  protected:
    FormStorage() = default;

    // A copy of `text` that lives until the texts are rewound.
    FormText Keep(FormText text) {
        if (text.empty()) return {};
        auto* copy = static_cast<char*>(_texts.Allocate(text.size(), 1));
        std::memcpy(copy, text.data(), text.size());
        return std::string_view(copy, text.size());
    }
    template <typename T>
    static T Keep(T value) {
        return value;
    }

    // The lists' arrays.
    BumpArena _lists;
    // The recorded texts. The lists hold views of them, so a list entry has
    // nothing to free.
    BumpArena _texts;
};

}  // namespace quillon

#endif
