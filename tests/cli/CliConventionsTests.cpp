// What a careful user expects around the labels themselves (several inputs
// are in runs.txt): messages that never reach the command text, and
// host-rendered text that writes nothing but what was asked for.

#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"

namespace {

// Started with standard error closed, the tool still keeps every message
// out of the command text.
TEST(CliInputs, ClosedStandardErrorKeepsTheTextClean) {
    const std::string bold =
        R"({"name": "P", "objects": [{"type": "text", "x": 1, "y": 2, "text": "A", "style": "bold"}]})";
    CliResult clean = RunTool({"render", "-"}, bold);
    CliResult closed = RunTool({"render", "-"}, bold + "\n" + R"({"objects": [{"type": "nope"}]})", "", true);
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.out, clean.out);
    EXPECT_NE(clean.err.find("objects[0].style: VORN prints no bold"), std::string::npos) << clean.err;
}

// The image is made in a directory of the tool's own: a file in the working
// directory named like the image stays as it was, and --output gets a copy.
TEST(CliText, WritesOnlyTheOutputFile) {
    const std::string dir = TempDir();
    WriteFile(dir + "/important.json", "keep");
    for (const char* brand : {"orlo", "HLV"}) {
        CliResult r = RunTool({"text", "AB", "--font", "Nosuchfamily Xyz 12", "--brand", brand, "--name",
                               "important.json", "--output", "look.png"},
                              "", dir);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err.rfind(
                      "quillon: warning: font family \"Nosuchfamily Xyz\" is not installed; pango uses ", 0),
                  0u)
            << r.err;
        EXPECT_EQ(ReadFile(dir + "/important.json"), "keep") << brand;
        EXPECT_EQ(ReadFile(dir + "/look.png").substr(0, 8), "\x89PNG\r\n\x1a\n") << brand;
        EXPECT_EQ(Files(dir), (std::set<std::string>{"important.json", "look.png"})) << brand;
        std::filesystem::remove(dir + "/look.png");
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
