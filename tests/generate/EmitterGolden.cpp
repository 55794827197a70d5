#include "EmitterGolden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillon_test {

std::string Escape(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n\n";
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out;
}

namespace {

const char* KindOf(const std::exception& e) {
    if (dynamic_cast<const std::invalid_argument*>(&e)) return "invalid_argument";
    if (dynamic_cast<const std::out_of_range*>(&e)) return "out_of_range";
    if (dynamic_cast<const std::range_error*>(&e)) return "range_error";
    if (dynamic_cast<const std::runtime_error*>(&e)) return "runtime_error";
    return "exception";
}

}  // namespace

std::string Rendered(const std::string& empty) {
    std::string full = "before", again, thrown;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    try {
        LabelToString(full);
        LabelToString(again);
    } catch (const std::exception& e) {
        thrown = std::string(KindOf(e)) + ": " + e.what();
    }
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    CloseLabel();

    std::string section;
    if (!thrown.empty()) {
        if (full != "before") section += "-- the caller's string changed\n";
        section += "-- throws " + thrown + "\n";
    } else if (empty.empty()) {
        section += Escape(full);
    } else {
        // The objects' text stands between the empty form's head (up to the
        // scale line) and its tail, which must frame it unchanged.
        const size_t head = empty.find("\r\n", empty.find("SCALE")) + 2;
        const size_t tail = empty.size() - head;
        const bool framed = full.size() >= empty.size() && full.compare(0, head, empty, 0, head) == 0 &&
                            full.compare(full.size() - tail, tail, empty, head, tail) == 0;
        section +=
            framed ? Escape(full.substr(head, full.size() - empty.size())) : "-- form\n" + Escape(full);
    }
    if (thrown.empty() && again != full) section += "-- the second rendering differs\n";
    if (!out.empty()) section += "-- stdout\n" + Escape(out);
    if (!err.empty()) section += "-- stderr\n" + Escape(err);
    return section;
}

void CheckGoldenFile(const std::string& file, const std::string& actual) {
    const std::string path = std::string(QUILLON_TEST_DATA_DIR) + "/golden/" + file;
    if (const char* update = std::getenv("QUILLON_UPDATE_GOLDEN"); update && std::string(update) == "1")
        std::ofstream(path, std::ios::binary) << actual;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "missing " << path;
    // One comparison of the whole text; on a mismatch GoogleTest shows the
    // differing lines as a diff.
    EXPECT_EQ(actual, std::string(std::istreambuf_iterator<char>(in), {})) << file;
}

void CheckGolden(const char* kind, const std::vector<EmitterCase>& cases) {
    std::string actual;
    for (const EmitterCase& c : cases)
        for (int lang : {0, 1}) {
            CreateLabel(lang, "T", c.perUnit, c.unit);
            std::string empty;
            LabelToString(empty);
            c.add();
            actual += std::string("== ") + c.name + (lang == 1 ? " kesh\n" : " vorn\n") + Rendered(empty);
        }
    CheckGoldenFile(std::string(kind) + ".txt", actual);
}

}  // namespace quillon_test
