#include "EmitterGolden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
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

std::string Section(const EmitterCase& c, int lang) {
    CreateLabel(lang, "T", c.perUnit, c.unit);
    std::string empty;
    LabelToString(empty);
    c.add();
    std::string full = "before";
    std::string thrown;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    try {
        LabelToString(full);
    } catch (const std::exception& e) {
        thrown = std::string(KindOf(e)) + ": " + e.what();
    }
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    CloseLabel();

    std::string section = std::string("== ") + c.name + (lang == 1 ? " kesh\n" : " vorn\n");
    if (!thrown.empty()) {
        if (full != "before") section += "-- the caller's string changed\n";
        section += "-- throws " + thrown + "\n";
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
    if (!out.empty()) section += "-- stdout\n" + Escape(out);
    if (!err.empty()) section += "-- stderr\n" + Escape(err);
    return section;
}

std::map<std::string, std::string> Sections(const std::string& text) {
    std::map<std::string, std::string> sections;
    std::string* body = nullptr;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = std::min(text.find('\n', pos), text.size() - 1) + 1;
        const std::string line = text.substr(pos, end - pos);
        if (line.rfind("== ", 0) == 0)
            body = &sections[line];
        else if (body)
            *body += line;
        pos = end;
    }
    return sections;
}

}  // namespace

std::string Golden(const std::string& file, const std::string& actual) {
    const std::string path = std::string(QUILLON_TEST_DATA_DIR) + "/golden/" + file;
    if (const char* update = std::getenv("QUILLON_UPDATE_GOLDEN"); update && std::string(update) == "1")
        std::ofstream(path, std::ios::binary) << actual;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "missing " << path;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void CheckSections(const std::string& file, const std::string& actual, size_t count) {
    const auto want = Sections(Golden(file, actual));
    const auto got = Sections(actual);
    EXPECT_EQ(got.size(), count) << "case names must be unique";
    EXPECT_EQ(want.size(), got.size()) << file;
    for (const auto& [head, body] : got) {
        const auto it = want.find(head);
        if (it == want.end())
            ADD_FAILURE() << "not in " << file << ": " << head;
        else
            EXPECT_EQ(body, it->second) << head;
    }
}

void CheckGolden(const char* kind, const std::vector<EmitterCase>& cases) {
    std::string actual;
    for (const EmitterCase& c : cases)
        for (int lang : {0, 1}) actual += Section(c, lang);
    CheckSections(std::string(kind) + ".txt", actual, cases.size() * 2);
}

}  // namespace quillon_test
