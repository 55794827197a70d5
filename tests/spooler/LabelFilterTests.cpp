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

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The filter as cupsd runs it, with no tool on its PATH.
struct FilterRun {
    int status;
    std::string out, err;
};
FilterRun RunFilter(const std::string& dir, const std::string& args, const std::string& input) {
    std::ofstream(dir + "/in.json") << input;
    std::string command = "cd " + dir + " && PATH=/nonexistent PPD=" + QUILLON_VORN_PPD + " " +
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
    FilterRun noCopies = RunFilter(dir, "7 ann label.json 2x ''", label);
    EXPECT_EQ(noCopies.status, 1);
    EXPECT_EQ(noCopies.out + noCopies.err, "ERROR: copies \"2x\": expected a whole number from 1\n");

    // A notice is a warning of the job, which prints.
    FilterRun notice = RunFilter(dir, "7 ann label.json 1 ''",
                                 R"({"name": "N", "objects": [{"type": "barcode1d", "x": 1, "y": 1, )"
                                 R"("data": "12", "narrow": 2, "wide": 5, "height": 40}]})");
    EXPECT_EQ(notice.status, 0);
    EXPECT_EQ(notice.out, Render(dir, "--lang vorn --dpi 203"));
    EXPECT_EQ(notice.err, "WARNING: label.json: objects[0].narrow/wide: Code 128 prints 1:1\n");

    std::system(("rm -rf " + dir).c_str());
}

// The filter reads the whole job before rendering it, on one thread, where
// the tool reads on a thread of its own; its messages, their order and its
// exit status are still the tool's, with the job's title for <stdin>.
TEST(LabelFilter, ReportsBadLabelsAsTheToolDoes) {
    char dirTemplate[] = "/tmp/quillon-label-test.XXXXXX";
    const std::string dir = ::mkdtemp(dirTemplate);
    const std::string wide = R"({"type": "barcode1d", "x": 1, "y": 1, "data": "12", "narrow": 2, "wide": 5})";
    const std::string maxicode =
        R"({"type": "maxicode", "x": 20, "y": 20, "mode": 3, "postal_code": "B1050", )"
        R"("country_code": "056", "service_class": "999", "year": "07"})";
    struct Row {
        std::string what, input;
        int status;
        std::string err;
    };
    const Row rows[] = {
        {"JSON Lines: a bad label, a syntax error, then a notice twice",
         "{\"name\": \"A\", \"objects\": []}\n{\"name\": \"B\", \"objects\": [{\"type\": \"line\"}]}\n"
         "{bad\n{\"name\": \"C\", \"objects\": [" +
             wide + "]}\n{\"name\": \"D\", \"objects\": [" + wide + "]}\n",
         2,
         "ERROR: label.json: label 1 (line 2): objects[0].x: missing\n"
         "ERROR: label.json:3:2: unexpected 'b'; expected a member name (label 2)\n"
         "WARNING: label.json: objects[0].narrow/wide: Code 128 prints 1:1 (2 labels, first label 3)\n"},
        {"an array: a label the library refuses",
         R"([{"name": "A", "objects": []}, {"name": "M", "objects": [)" + maxicode + "]}]", 1,
         "ERROR: label.json: label 1: Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.\n"},
        {"an array: a bad label, whose status holds, then a refused one",
         R"([{"name": "B", "objects": [{"type": "box"}]}, {"name": "M", "objects": [)" + maxicode + "]}]", 2,
         "ERROR: label.json: label 0: objects[0].x: missing\n"
         "ERROR: label.json: label 1: Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.\n"},
        {"one label over several lines, broken", "{\n  \"name\": \"A\",\n  \"objects\": [\n", 2,
         "ERROR: label.json:4:1: unexpected end of input; expected a value\n"},
        {"nothing", "", 2, "ERROR: label.json: empty input\n"},
    };
    for (const Row& row : rows) {
        const FilterRun run = RunFilter(dir, "7 ann label.json 1 ''", row.input);
        EXPECT_EQ(run.status, row.status) << row.what;
        EXPECT_EQ(run.err, row.err) << row.what;
        EXPECT_EQ(run.out, "") << row.what;
    }

    // A label spread over several lines, as editors write it, renders as the
    // tool renders it.
    const FilterRun pretty = RunFilter(dir, "7 ann label.json 1 ''",
                                       "{\n  \"name\": \"P\",\n  \"objects\": [\n    " + wide + "\n  ]\n}\n");
    EXPECT_EQ(pretty.status, 0);
    EXPECT_EQ(pretty.out, Render(dir, "--lang vorn --dpi 203"));
    EXPECT_EQ(pretty.err, "WARNING: label.json: objects[0].narrow/wide: Code 128 prints 1:1\n");

    // A job file that cannot be read ends the input like its end would.
    const FilterRun directory = RunFilter(dir, "7 ann label.json 1 '' " + dir, "");
    EXPECT_EQ(directory.status, 2);
    EXPECT_EQ(directory.err, "ERROR: label.json: empty input\nERROR: label.json: Is a directory\n");

    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
}  // namespace quillon::cups
