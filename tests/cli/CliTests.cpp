// The tool as a user runs it: exit statuses, messages, what reaches the
// output, and the checked-in outputs of every example label.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "CliRunner.h"

namespace {

TEST(CliRender, ResolutionLanguageAndInputForms) {
    struct Row {
        const char* what;
        std::vector<std::string> args;
        std::string input;
        std::string expected;
    };
    const std::string kesh =
        "~CREATE;P;X\r\nSCALE;DOT;203;203\r\nLOGO\r\n1;2;A\r\nSTOP\r\n\r\nEND\r\n~EXECUTE;P\r\n~NORMAL\r\n"
        "~DELETE FORM;P\r\n";
    const Row rows[] = {
        {"default 203 dpi, VORN", {"render", "-"}, PictureLabel("P", 1), VornPicture("P", 1)},
        {"dpi",
         {"render", "-"},
         R"({"name":"P","dpi":300,"objects":[{"type":"picture","x":1,"y":2,"name":"A"}]})",
         VornPicture("P", 1, "300")},
        {"dots per mm (8 x 25.4 = 203.2)",
         {"render", "-"},
         R"({"name":"P","dots_per_mm":8,"objects":[{"type":"picture","x":1,"y":2,"name":"A"}]})",
         VornPicture("P", 1, "203")},
        {"dots per mm 12",
         {"render", "-"},
         R"({"name":"P","dots_per_mm":12,"objects":[{"type":"picture","x":1,"y":2,"name":"A"}]})",
         VornPicture("P", 1, "304")},
        {"--dpi replaces the resolution before lengths become dots (2.54 mm = 30, 0.17 mm = 2 at 300)",
         {"render", "-", "--dpi", "300"},
         R"({"name":"P","dots_per_mm":8,"unit":"mm","objects":[
             {"type":"line","x":2.54,"y":0,"x2":25.4,"y2":0,"thickness":0.17}]})",
         "REM P FORM BEGIN\r\nCLS\r\nDPI = 300\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 300,300\r\n"
         "DIAGONAL 30,0,300,0,2\r\nPRINT 1\r\nREM P FORM END\r\n"},
        {"--lang kesh", {"render", "-", "--lang", "kesh"}, PictureLabel("P", 1), kesh},
        {"language in the file",
         {"render", "-"},
         R"({"name":"P","language":"kesh","objects":[{"type":"picture","x":1,"y":2,"name":"A"}]})",
         kesh},
        {"--lang overrides the file",
         {"render", "-", "--lang", "vorn"},
         R"({"name":"P","language":"kesh","objects":[{"type":"picture","x":1,"y":2,"name":"A"}]})",
         VornPicture("P", 1)},
        {"pretty-printed over lines",
         {"render", "-"},
         "\n  {\n  \"name\": \"P\",\n  \"objects\": [\n {\"type\": \"picture\", \"x\": 1, \"y\": 2, "
         "\"name\": \"A\"}\n]\n}\n",
         VornPicture("P", 1)},
        {"array of labels",
         {"render", "-"},
         "[" + PictureLabel("P", 1) + ",\n" + PictureLabel("Q", 5) + "]",
         VornPicture("P", 1) + VornPicture("Q", 5)},
        {"JSON Lines with a blank line",
         {"render", "-"},
         PictureLabel("P", 1) + "\n\n" + PictureLabel("Q", 5) + "\n",
         VornPicture("P", 1) + VornPicture("Q", 5)},
        {"JSON Lines after a blank line",
         {"render", "-"},
         "\n" + PictureLabel("P", 1) + "\n" + PictureLabel("Q", 5),
         VornPicture("P", 1) + VornPicture("Q", 5)},
        {"byte-order mark", {"render", "-"}, "\xEF\xBB\xBF" + PictureLabel("P", 1), VornPicture("P", 1)},
        {"--lang in capitals", {"render", "-", "--lang", "KESH"}, PictureLabel("P", 1), kesh},
        {"send --to - writes what render writes",
         {"send", "-", "--to", "-"},
         PictureLabel("P", 1),
         VornPicture("P", 1)},
    };
    for (const Row& row : rows) {
        CliResult r = RunTool(row.args, row.input);
        EXPECT_EQ(r.status, 0) << row.what << "\n" << r.err;
        EXPECT_EQ(r.out, row.expected) << row.what;
        EXPECT_EQ(r.err, "") << row.what;
    }
}

TEST(CliRender, WritesToFileOnlyWhenSomethingRendered) {
    std::string dir = TempDir();
    WriteFile(dir + "/good.json", PictureLabel("P", 1));
    WriteFile(dir + "/bad.json", R"({"objects": [{"type": "picture", "x": "1", "name": "A"}]})");

    CliResult good = RunTool({"render", dir + "/good.json", "-o", dir + "/good.txt"});
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(good.out, "");
    EXPECT_EQ(ReadFile(dir + "/good.txt"), VornPicture("P", 1));

    CliResult bad = RunTool({"render", dir + "/bad.json", "-o", dir + "/bad.txt"});
    EXPECT_EQ(bad.status, 2);
    struct stat st {};
    EXPECT_NE(stat((dir + "/bad.txt").c_str(), &st), 0) << "a rejected label must not create the output file";
}

// Every documented rejection: exit status 2, one message naming the input and
// the field, and nothing on standard output.
TEST(CliRender, RejectsBadLabelsWithFieldPath) {
    std::vector<std::pair<std::string, std::string>> rows = {
        {"{\n  \"name\": \"X\",\n  \"objects\": [}\n", "3:15: unexpected '}'; expected a value"},
        {"{\"name\": \"X\",\n\"dpi\": 2O3}", "2:9: unexpected 'O'; expected ',' or '}'"},
        {R"({"objects": [{"type": "picture", "name": "A)"
         "\xff"
         R"("}]})",
         " objects[0].name: not valid UTF-8"},
        {R"({"objects": [{"type": "picture", "name": "A)"
         "\t"
         R"("}]})",
         "1:44: control character in a string (write it as an escape such as \\n)"},
        // Nesting costs no stack however deep it goes.
        {"{\"a\": " + std::string(100000, '[') + std::string(100000, ']') + "}", " a: unknown field"},
    };
    std::istringstream file(ReadFile(QUILLON_TESTS_DIR "/rejected-labels.txt"));
    for (std::string line, input; std::getline(file, line);) {
        if (line.rfind("< ", 0) == 0 || line == "<") input = line.substr(line.size() > 1 ? 2 : 1);
        if (line.rfind("> ", 0) == 0) rows.emplace_back(input, line.substr(2));
    }
    ASSERT_GT(rows.size(), 50u);
    for (const auto& [input, message] : rows) {
        CliResult r = RunTool({"render", "-"}, input);
        EXPECT_EQ(r.status, 2) << input;
        EXPECT_EQ(r.err, "quillon: <stdin>:" + message + "\n") << input;
        EXPECT_EQ(r.out, "") << input;
    }
}

// The JSON reader: escapes and UTF-8 reach the printer as the right bytes.
TEST(CliRender, JsonStringsBecomeBytes) {
    struct Row {
        const char* what;
        std::string json;   // the picture name as written in JSON
        std::string bytes;  // what reaches the command text
    };
    const Row rows[] = {
        {"escapes", R"(A\\\/\t)", "A\\/\t"},
        {"two-byte escape as UTF-8", R"(\u00e9)", "\xc3\xa9"},
        {"surrogate pair", R"(\ud83d\ude00)", "\xf0\x9f\x98\x80"},
        {"raw UTF-8 passes through", "\xc3\xa9", "\xc3\xa9"},
    };
    for (const Row& row : rows) {
        std::string label = R"({"name": "P", "objects": [{"type": "picture", "x": 1, "y": 2, "name": ")" +
                            row.json + R"("}]})";
        CliResult r = RunTool({"render", "-"}, label);
        EXPECT_EQ(r.status, 0) << row.what << ": " << r.err;
        EXPECT_NE(r.out.find("PUTPNG,1,2,\"" + row.bytes + "\"\r\n"), std::string::npos) << row.what;
    }
}

// The library's own refusals: exit status 1 with its message; in a batch the
// other labels still render.
TEST(CliRender, LibraryErrorsAndNotices) {
    const std::string unlock =
        R"({"objects": [{"type": "rfid", "password_type": "unlock", "password": "00000000"}]})";
    const std::string mode3 =
        R"({"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 3, "postal_code": "B1050", )"
        R"("country_code": "056", "service_class": "999", "year": "07"}]})";
    struct Row {
        const char* what;
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string out;
        std::string err;
    };
    const Row rows[] = {
        {"password type VORN cannot write",
         {"render", "-"},
         unlock,
         1,
         "",
         "quillon: <stdin>: Invalid Password Type\n"},
        {"message kind VORN cannot write",
         {"render", "-", "--lang", "vorn"},
         mode3,
         1,
         "",
         "quillon: <stdin>: Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.\n"},
        {"batch goes on past it",
         {"render", "-"},
         PictureLabel("P", 1) + "\n" + unlock + "\n" + PictureLabel("Q", 5),
         1,
         VornPicture("P", 1) + VornPicture("Q", 5),
         "quillon: <stdin>: label 1: Invalid Password Type\n"},
    };
    for (const Row& row : rows) {
        CliResult r = RunTool(row.args, row.input);
        EXPECT_EQ(r.status, row.status) << row.what;
        EXPECT_EQ(r.out, row.out) << row.what;
        EXPECT_EQ(r.err, row.err) << row.what;
    }
}

// A notice names the object and field, once per input with a count; the
// documented defaults draw none.
TEST(CliRender, NoticesOncePerInput) {
    const std::string code128 =
        R"({"objects": [{"type": "barcode1d", "x": 1, "y": 2, "data": "A", "wide": 6}]})";
    struct Row {
        std::vector<std::string> args;
        std::string input;
        std::string err;
    };
    const Row rows[] = {
        {{"render", "-"},
         PictureLabel("P", 1) + "\n" + code128 + "\n" + code128 + "\n",
         "quillon: <stdin>: objects[0].narrow/wide: Code 128 prints 1:1 (2 labels, first label 1)\n"},
        {{"render", "-", "--lang", "kesh"},
         R"({"objects": [{"type": "barcode1d", "x": 1, "y": 2, "data": "A", "text_above": true}]})",
         "quillon: <stdin>: objects[0].text_above: KESH prints the interpretation line below the bars\n"},
        {{"render", "-"},
         R"({"objects": [{"type": "maxicode", "x": 1, "y": 2, "mode": 4, "primary": "P", "zipper": true}]})",
         "quillon: <stdin>: objects[0].zipper: VORN prints no zipper pattern\n"},
        {{"render", "-"},
         R"({"objects": [{"type": "barcode1d", "x": 1, "y": 2, "data": "A", "symbology": "code93"}]})",
         ""},
        {{"demo"}, "", ""},
    };
    for (const Row& row : rows) {
        CliResult r = RunTool(row.args, row.input);
        EXPECT_EQ(r.status, 0) << row.input;
        EXPECT_EQ(r.err, row.err) << row.input;
    }
}

TEST(CliRender, UnreadableInputIsNamed) {
    const std::string dir = TempDir();
    CliResult r = RunTool({"render", dir});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "quillon: " + dir + ": Is a directory\n");
    rmdir(dir.c_str());
}

TEST(CliUsage, RefusedCommandLines) {
    std::istringstream file(ReadFile(QUILLON_TESTS_DIR "/rejected-commands.txt"));
    std::vector<std::string> args;
    int rows = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("$ ", 0) == 0) {
            args.clear();
            std::istringstream fields(line.substr(2));
            for (std::string arg; std::getline(fields, arg, '|');) args.push_back(arg);
        }
        if (line.rfind("> ", 0) != 0) continue;
        ++rows;
        CliResult r = RunTool(args);
        EXPECT_EQ(r.status, 2) << line << "\n" << r.err;
        EXPECT_EQ(r.err.rfind(line.substr(2), 0), 0u) << line << "\n" << r.err;
        EXPECT_EQ(r.out, "") << line;
    }
    EXPECT_GT(rows, 20);
}

TEST(CliUsage, HelpAndVersion) {
    CliResult v = RunTool({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out.rfind("quillon 1.0.0\nbuild: ", 0), 0u) << v.out;
    EXPECT_NE(v.out.find("\nUSB vendor ids: ORLO "), std::string::npos) << v.out;
    for (const char* sub : {"demo", "render", "send", "usb-list", "text"}) {
        CliResult h = RunTool({sub, "--help"});
        EXPECT_EQ(h.status, 0) << sub;
        EXPECT_NE(h.out.find("Examples:"), std::string::npos) << sub;
        EXPECT_NE(h.out.find(std::string("quillon ") + sub), std::string::npos) << sub;
    }
    // Without a command, and with `help`, the usage; `help COMMAND` is
    // `COMMAND --help`.
    CliResult bare = RunTool({});
    EXPECT_EQ(bare.status, 0);
    EXPECT_NE(bare.out.find("Exit status: 0 done, 1 the library refused a label, 2 bad input or usage"),
              std::string::npos);
    EXPECT_EQ(RunTool({"--help"}).out, bare.out);
    EXPECT_EQ(RunTool({"help"}).out, bare.out);
    EXPECT_EQ(RunTool({"help", "render"}).out, RunTool({"render", "--help"}).out);
}

// ---- Example labels against their checked-in outputs ----

std::vector<std::string> ExampleNames() {
    std::vector<std::string> names;
    if (DIR* d = opendir(QUILLON_EXAMPLES_DIR)) {
        while (dirent* e = readdir(d)) {
            std::string f = e->d_name;
            if (f.size() > 5 && f.compare(f.size() - 5, 5, ".json") == 0)
                names.push_back(f.substr(0, f.size() - 5));
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CliExample : public ::testing::TestWithParam<std::string> {};

// An example whose file names its language has an expected output for that
// language only.
TEST_P(CliExample, MatchesExpectedOutput) {
    const std::string name = GetParam();
    int compared = 0;
    for (const char* lang : {"vorn", "kesh"}) {
        std::string expectedPath =
            std::string(QUILLON_EXAMPLES_DIR) + "/expected/" + name + "." + lang + ".txt";
        struct stat st {};
        if (stat(expectedPath.c_str(), &st) != 0) continue;
        ++compared;
        CliResult r =
            RunTool({"render", std::string(QUILLON_EXAMPLES_DIR) + "/" + name + ".json", "--lang", lang});
        EXPECT_EQ(r.status, 0) << name << " " << lang << ": " << r.err;
        EXPECT_EQ(r.out, ReadFile(expectedPath)) << name << " " << lang;
    }
    if (compared == 0)
        GTEST_SKIP() << name
                     << ": no expected output checked in yet (its object kind is not in the library yet)";
}

INSTANTIATE_TEST_SUITE_P(Examples, CliExample, ::testing::ValuesIn(ExampleNames()), [](const auto& info) {
    std::string n = info.param;
    std::replace(n.begin(), n.end(), '-', '_');
    return n;
});

}  // namespace
