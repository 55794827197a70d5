// The quillon-label filter: how it reads CUPS options and PPDs, and run as cupsd runs it.

#include <gtest/gtest.h>

#include <cstdlib>

#include "CliRunner.h"
#include "LabelFilter.h"

namespace quillon::cups {
namespace {

TEST(LabelFilter, ParsesOptionsAsCupsWritesThem) {
    struct Row {
        std::string text;
        std::vector<std::pair<std::string, std::string>> expected;
    };
    const Row rows[] = {
        {"", {}},
        {"a=b  c=d", {{"a", "b"}, {"c", "d"}}},
        {"collate", {{"collate", "true"}}},
        {"job-name=my\\ label\\\\x\\y", {{"job-name", "my label\\xy"}}},
        {"a='x y' b=\"z LabelLanguage=kesh\"", {{"a", "x y"}, {"b", "z LabelLanguage=kesh"}}},
        {"media-col={media-size={x-dimension=1 y-dimension=2}} Resolution=300dpi",
         {{"media-col", "{media-size={x-dimension=1 y-dimension=2}}"}, {"Resolution", "300dpi"}}},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseOptions(row.text), row.expected) << row.text;
}

TEST(LabelFilter, ReadsPpdDefaults) {
    const std::string ppd =
        "*PPD-Adobe: \"4.3\"\n*DefaultResolutionX: 1\n*DefaultResolution:  300dpi \r\n*Resolution 300dpi: "
        "\"\"\n";
    EXPECT_EQ(PpdDefault(ppd, "Resolution"), "300dpi");
    EXPECT_EQ(PpdDefault(ppd, "LabelLanguage"), "");
}

TEST(LabelFilter, ChoosesTheRendering) {
    struct Row {
        std::string language, resolution, chosenLanguage;
        float dpi;
        std::string error;
    };
    const std::string badDpi = "\": expected 100dpi to 1200dpi, such as 203dpi";
    const Row rows[] = {
        {"", "", "", 0, ""},
        {"kesh", "", "kesh", 0, ""},
        {"vorn", "203x203dpi", "vorn", 203, ""},
        {"", "1200dpi", "", 1200, ""},
        {"xyz", "203dpi", "", 0, "LabelLanguage \"xyz\": expected vorn or kesh"},
        {"", "300x600dpi", "", 0, "Resolution \"300x600dpi" + badDpi},
        {"", "12dpmm", "", 0, "Resolution \"12dpmm" + badDpi},
        {"", "99dpi", "", 0, "Resolution \"99dpi" + badDpi},
        {"", "1201dpi", "", 0, "Resolution \"1201dpi" + badDpi},
    };
    for (const Row& row : rows) {
        const Rendering r = ChooseRendering(row.language, row.resolution);
        EXPECT_EQ(r.error, row.error) << row.language << " " << row.resolution;
        if (!r.error.empty()) continue;
        EXPECT_EQ(r.language, row.chosenLanguage) << row.language << " " << row.resolution;
        EXPECT_EQ(r.dpi, row.dpi) << row.language << " " << row.resolution;
    }
}

TEST(LabelFilter, CopiesAndLogLines) {
    EXPECT_EQ(ParseCopies("12"), 12);
    for (const char* bad : {"", "0", "-1", "2x", " 2", "99999999999999999999"})
        EXPECT_EQ(ParseCopies(bad), 0) << bad;
    EXPECT_EQ(LogLine("ERROR", "<stdin>: objects[0].x: missing", "a.json"),
              "ERROR: a.json: objects[0].x: missing\n");
    EXPECT_EQ(LogLine("WARNING", "quillon: <stdin>: objects[1].wide: Code 128 prints 1:1", "a.json"),
              "WARNING: a.json: objects[1].wide: Code 128 prints 1:1\n");
    EXPECT_EQ(LogLine("ERROR", "<stdin>:3:1: bad", "a.json"), "ERROR: a.json:3:1: bad\n");
}

// With no tool on its PATH, as cupsd runs it.
TEST(LabelFilter, RunsAsCupsRunsIt) {
    ::setenv("PATH", "/nonexistent", 1);
    ::setenv("PPD", QUILLON_VORN_PPD, 1);
    EXPECT_EQ(CheckCases("filter-runs.txt", QUILLON_TESTS_DIR), 11);
}

}  // namespace
}  // namespace quillon::cups
