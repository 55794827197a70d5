// The quillon-label filter: how it reads CUPS options and PPDs, and run as cupsd runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

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

TEST(LabelFilter, ChoosesRenderArguments) {
    struct Row {
        std::string language, resolution;
        std::vector<std::string> args;
        std::string error;
    };
    const std::string badDpi = "\": expected dots per inch, such as 203dpi";
    const Row rows[] = {
        {"", "", {}, ""},
        {"kesh", "", {"--lang", "kesh"}, ""},
        {"vorn", "203x203dpi", {"--lang", "vorn", "--dpi", "203"}, ""},
        {"", "600dpi", {"--dpi", "600"}, ""},
        {"zpl", "203dpi", {}, "LabelLanguage \"zpl\": expected vorn or kesh"},
        {"", "300x600dpi", {}, "Resolution \"300x600dpi" + badDpi},
        {"", "12dpmm", {}, "Resolution \"12dpmm" + badDpi},
        {"", "-203dpi", {}, "Resolution \"-203dpi" + badDpi},
    };
    for (const Row& row : rows) {
        RenderArguments r = ChooseRenderArguments(row.language, row.resolution);
        EXPECT_EQ(r.error, row.error) << row.language << " " << row.resolution;
        EXPECT_EQ(r.args, row.args) << row.language << " " << row.resolution;
    }
}

TEST(LabelFilter, CopiesAndLogLines) {
    EXPECT_EQ(ParseCopies("12"), 12);
    for (const char* bad : {"", "0", "-1", "2x", " 2", "99999999999999999999"})
        EXPECT_EQ(ParseCopies(bad), 0) << bad;
    EXPECT_EQ(LogLine("quillon: <stdin>: objects[0].x: missing", "a.json"),
              "ERROR: a.json: objects[0].x: missing");
    EXPECT_EQ(LogLine("quillon: --dpi: bad", "a.json"), "ERROR: --dpi: bad");
    EXPECT_EQ(LogLine("Narrow:Wide must be 1:1", "a.json"), "WARNING: Narrow:Wide must be 1:1");
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The filter with the tool on its PATH, as cupsd runs it.
struct FilterRun {
    int status;
    std::string out, err;
};
FilterRun RunFilter(const std::string& dir, const std::string& args, const std::string& input) {
    std::ofstream(dir + "/in.json") << input;
    std::string command = "cd " + dir + " && PATH=" QUILLON_TOOL_DIR " PPD=" + QUILLON_VORN_PPD + " " +
                          QUILLON_FILTER + " " + args + " < in.json > out 2> err";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir + "/out"), Slurp(dir + "/err")};
}

std::string Render(const std::string& dir, const std::string& args) {
    std::system(("cd " + dir + " && " + QUILLON_TOOL_DIR + "/quillon render " + args + " in.json > expected")
                    .c_str());
    return Slurp(dir + "/expected");
}

TEST(LabelFilter, RunsAsCupsRunsIt) {
    char dirTemplate[] = "/tmp/quillon-label-test.XXXXXX";
    const std::string dir = ::mkdtemp(dirTemplate);
    const std::string label =
        R"({"name": "P", "objects": [{"type": "picture", "x": 1, "y": 2, "name": "A"}]})";

    FilterRun copies = RunFilter(dir, "7 ann label.json 2 'LabelLanguage=kesh Resolution=300dpi'", label);
    const std::string once = Render(dir, "--lang kesh --dpi 300");
    EXPECT_EQ(copies.out, once + once) << copies.err;

    // The queue's defaults, and the file argument rather than standard input.
    const std::string vorn = Render(dir, "--lang vorn --dpi 203");
    std::rename((dir + "/in.json").c_str(), (dir + "/job.json").c_str());
    EXPECT_EQ(RunFilter(dir, "7 ann label.json 1 '' job.json", "not a label").out, vorn);

    FilterRun bad = RunFilter(dir, "7 ann label.json 1 ''", R"({"objects": [{"type": "line"}]})");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out + bad.err, "ERROR: label.json: objects[0].x: missing\n");

    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
}  // namespace quillon::cups
