#ifndef QUILLON_TESTS_GENERATE_EMITTERGOLDEN_H
#define QUILLON_TESTS_GENERATE_EMITTERGOLDEN_H

// Emitter cases checked against golden files. Each case records a few
// objects on a label; it is rendered in both languages and what the objects
// add to the form (the text between the scale line and the trailer), the
// lines printed on standard output and error, and any exception go into one
// section of golden/<kind>.txt. Bytes are escaped so that "\r\n" stays
// visible. QUILLON_UPDATE_GOLDEN=1 rewrites the files from the output.

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "quillon/Label.h"

namespace quillon_test {

struct EmitterCase {
    const char* name;
    std::function<void()> add;
    float perUnit = 203.0f;  // the printer's resolution
    ScaleEnum unit = ScaleEnum::Inch;
};

// Renders every case in both languages and compares each section with
// golden/<kind>.txt.
void CheckGolden(const char* kind, const std::vector<EmitterCase>& cases);

// Bytes as golden text: printable ASCII as it is, "\r" and "\n" written
// out (a line feed also ends the golden line), other bytes as \xHH.
std::string Escape(const std::string& bytes);

// Renders the open label twice, closes it and tells as golden text what it
// gave: the exception it threw, or its form (only the objects' text when
// `empty`, the same label without objects, frames it), whether the second
// rendering differed, and the lines printed on standard output and error.
std::string Rendered(const std::string& empty = "");

// Compares `actual` with golden/<file>; with QUILLON_UPDATE_GOLDEN=1 the
// file is first rewritten with `actual`.
void CheckGoldenFile(const std::string& file, const std::string& actual);

// HELLO at (100, 50) dots, module 4, not turned: the symbol cases share
// these and the setters below, which return the case so that rows chain.
template <typename Case>
struct Placed {
    float x = 100, y = 50, xdim = 4;
    std::string data = "HELLO";
    ScaleEnum scale = ScaleEnum::Dot;
    int rotation = 0;

    Case& At(ScaleEnum s, float x_, float y_, float d) { return scale = s, x = x_, y = y_, xdim = d, Self(); }
    Case& Data(std::string d) { return data = std::move(d), Self(); }
    Case& Turn(int r) { return rotation = r, Self(); }
    Case& Self() { return static_cast<Case&>(*this); }
};

// What `f` throws as an E, "" when it throws nothing; anything else
// escapes and fails the test.
template <typename E = std::exception, typename F>
std::string Thrown(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "";
}

constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr ScaleEnum MM = ScaleEnum::MM;
constexpr ScaleEnum Inch = ScaleEnum::Inch;

template <typename Enum>
constexpr Enum As(int value) {
    return static_cast<Enum>(value);
}

}  // namespace quillon_test

#endif
