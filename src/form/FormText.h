#ifndef QUILLON_FORM_FORMTEXT_H
#define QUILLON_FORM_FORMTEXT_H

// Goal: a recorded text costs one copy into the form and nothing to free.

#include <string>
#include <string_view>

namespace quillon {

// A text attribute of the form recorder. While an adding function fills a
// row it views the caller's string; recording copies the bytes into the
// form, and the lists view that copy until the form is cleared. Being a
// view, it has nothing to free, so clearing a form is a matter of resetting
// its lists. Binding it to a temporary string does not compile: the view
// would outlive the string.
class FormText : public std::string_view {
  public:
    // Empty texts still point at a character: their bytes go to memcpy,
    // which must not be handed a null pointer even for zero bytes.
    constexpr FormText() noexcept : std::string_view("", 0) {}
    constexpr FormText(std::string_view text) noexcept : std::string_view(text) {}
    constexpr FormText(const char* text) noexcept : std::string_view(text) {}
    FormText(const std::string& text) noexcept : std::string_view(text) {}
    FormText(std::string&&) = delete;
};

}  // namespace quillon

#endif
