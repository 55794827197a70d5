// The tool as a user runs it: exit statuses, messages, what reaches the
// output, and the checked-in outputs of every example label.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "CliRunner.h"

namespace {

// The case files, each described at its top: runs.txt in tests/cli, whose
// inputs/ holds the files some read; the pictures of preview-runs.txt are
// checked in tests/preview.
TEST(CliCases, RunsAndRefusals) {
    EXPECT_GT(CheckCases("runs.txt", QUILLON_TESTS_DIR), 35);
    EXPECT_GT(CheckCases("rejected-labels.txt"), 50);
    EXPECT_GT(CheckCases("rejected-commands.txt"), 20);
#ifdef QUILLON_HAVE_PREVIEW
    EXPECT_GT(CheckCases("preview-runs.txt"), 5);
#endif
}

// Nesting costs no stack however deep it goes.
TEST(CliRender, DeepNestingIsRefusedPlainly) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    CheckRun(
        {"deep", {"render", "-"}, "{\"a\": " + deep + "}", 2, "", "quillon: <stdin>: a: unknown field\n"});
}

TEST(CliUsage, HelpAndVersion) {
    CliResult v = RunTool({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out.rfind("quillon 1.0.0\nbuild: ", 0), 0u) << v.out;
    EXPECT_NE(v.out.find("\nUSB vendor ids: ORLO "), std::string::npos) << v.out;
    // `help COMMAND` is `COMMAND --help`; without a command, and with `help`,
    // the usage.
    for (const char* sub : {"demo", "render", "send", "usb-list", "text"}) {
        const CliResult h = RunTool({sub, "--help"});
        EXPECT_EQ(h.status, 0) << sub;
        EXPECT_NE(h.out.find("Examples:"), std::string::npos) << sub;
        EXPECT_NE(h.out.find(std::string("quillon ") + sub), std::string::npos) << sub;
        EXPECT_EQ(RunTool({"help", sub}).out, h.out) << sub;
    }
    const CliResult bare = RunTool({});
    EXPECT_EQ(bare.status, 0);
    EXPECT_NE(bare.out.find("Exit status: 0 done, 1 the library refused a label, 2 bad input or usage"),
              std::string::npos);
    for (const char* help : {"--help", "help"}) EXPECT_EQ(RunTool({help}).out, bare.out) << help;
}

// examples/expected/NAME.LANG.txt is what the example NAME.json renders to
// in that language.
TEST(CliExamples, MatchCheckedInOutputs) {
    int compared = 0;
    for (const std::string& file : Files(QUILLON_EXAMPLES_DIR "/expected")) {
        const std::size_t dot = file.find('.');
        const std::string name = file.substr(0, dot), lang = file.substr(dot + 1, file.rfind('.') - dot - 1);
        const CliResult r = RunTool({"render", QUILLON_EXAMPLES_DIR "/" + name + ".json", "--lang", lang});
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        EXPECT_EQ(r.out, ReadFile(QUILLON_EXAMPLES_DIR "/expected/" + file)) << file;
        ++compared;
    }
    EXPECT_GE(compared, 25);
}

// ---- large and slow batches: labels are read on one thread and rendered
// on another, in batches of 128, and none of that may show.

const std::string kBadX = R"({"name": "B", "objects": [{"type": "picture", "x": true, "name": "A"}]})";
const std::string kUnlock =
    R"({"objects": [{"type": "rfid", "password_type": "unlock", "password": "00000000"}]})";
const std::string kBadXMessage = "objects[0].x: expected a number\n";

// The VORN text of PictureLabel(name, x) at 203 dpi.
std::string VornPicture(const std::string& name, int x) {
    return "REM " + name + " FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\n" +
           "REM SCALE 203,203\r\nPUTPNG," + std::to_string(x) + ",2,\"A\"\r\nPRINT 1\r\nREM " + name +
           " FORM END\r\n";
}

// 300 picture labels, with the given lines in place of some of them.
struct Batch {
    std::string lines;  // JSON Lines
    std::string array;  // the same labels as a JSON array (syntax errors left out)
    std::string out;    // VORN text of the good labels up to `upTo`
};

Batch MakeBatch(const std::map<int, std::string>& replaced, int upTo = 300) {
    Batch b;
    b.array = "[";
    for (int i = 0; i < 300; ++i) {
        auto it = replaced.find(i);
        std::string label = it != replaced.end() ? it->second : PictureLabel("P" + std::to_string(i), i);
        b.lines += label + "\n";
        if (label.back() == '}') b.array += (i ? ",\n" : "") + label;
        if (it == replaced.end() && i < upTo) b.out += VornPicture("P" + std::to_string(i), i);
    }
    b.array += "]";
    return b;
}

// Bad labels on both sides of the batch edges (127 | 128, 255 | 256) and at
// the very end: each reported once, in order, and every other label
// rendered.
TEST(CliBatch, BadLabelsAtBatchEdges) {
    const Batch mixed =
        MakeBatch({{127, kBadX}, {128, R"({"name": )"}, {255, kUnlock}, {299, R"({"colour": 1})"}});
    const Batch stopAt127 = MakeBatch({{127, kBadX}, {128, R"({"name": )"}}, 127);
    const Batch stopAt256 = MakeBatch({{256, kUnlock}}, 256);
    const std::string badX127 = "quillon: <stdin>: label 127 (line 128): " + kBadXMessage,
                      truncated128 =
                          "quillon: <stdin>:129:10: unexpected end of input; expected a value (label 128)\n",
                      unlock256 = "quillon: <stdin>: label 256: Invalid Password Type\n",
                      colour299 = "quillon: <stdin>: label 299 (line 300): colour: unknown field\n";
    // clang-format off
    const CliCase rows[] = {
        {"JSON Lines", {"render", "-"}, mixed.lines, 2, mixed.out,
         badX127 + truncated128 + "quillon: <stdin>: label 255: Invalid Password Type\n" + colour299},
        {"array", {"render", "-"}, mixed.array, 2, mixed.out,
         "quillon: <stdin>: label 127: " + kBadXMessage + "quillon: <stdin>: label 254: Invalid Password Type\n"
         "quillon: <stdin>: label 298: colour: unknown field\n"},
        {"check only", {"render", "-", "--check"}, mixed.lines, 2, "", badX127 + truncated128 + colour299},
        {"fail fast at the last label of a batch", {"render", "-", "--fail-fast"}, stopAt127.lines, 2,
         stopAt127.out, badX127},
        {"fail fast on a library error at the first label of a batch", {"render", "-", "--fail-fast"},
         stopAt256.lines, 1, stopAt256.out, unlock256},
        {"send sends nothing", {"send", "-", "--to", "-"}, stopAt256.lines, 1, "", unlock256},
    };
    // clang-format on
    for (const CliCase& row : rows) CheckRun(row);
}

// Output larger than the writer's blocks arrives whole and in order, in a
// file as on standard output; a rejected label creates no file.
TEST(CliBatch, OutputFiles) {
    std::string input, expected;
    for (int i = 0; i < 4000; ++i) {
        input += PictureLabel("LONGER_LABEL_NAME_" + std::to_string(i), i) + "\n";
        expected += VornPicture("LONGER_LABEL_NAME_" + std::to_string(i), i);
    }
    ASSERT_GT(expected.size(), 2u * 256 * 1024);
    const std::string dir = TempDir();
    WriteFile(dir + "/in.jsonl", input);
    CliResult toStdout = RunTool({"render", dir + "/in.jsonl"});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.err, "");
    EXPECT_TRUE(toStdout.out == expected) << "standard output differs";
    CheckRun({"to a file", {"render", dir + "/in.jsonl", "-o", dir + "/out.txt"}, "", 0, "", ""});
    EXPECT_TRUE(ReadFile(dir + "/out.txt") == expected) << "file differs";
    WriteFile(dir + "/bad.json", R"({"objects": [{"type": "picture", "x": "1", "name": "A"}]})");
    EXPECT_EQ(RunTool({"render", dir + "/bad.json", "-o", dir + "/bad.txt"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir + "/bad.txt"));
    std::filesystem::remove_all(dir);
}

// A producer that is slow to write, or never closes its end: a bad label is
// reported as soon as it arrives, and --fail-fast ends the tool without
// waiting for the rest of the input.
TEST(CliBatch, SlowInputIsNotHeldBack) {
    const std::string input = PictureLabel("P", 1) + "\n" + kBadX + "\n";
    const std::string message = "quillon: <stdin>: label 1 (line 2): " + kBadXMessage;
    for (const bool failFast : {false, true}) {
        SCOPED_TRACE(failFast ? "fail fast stops reading" : "reported while the input is open");
        std::vector<std::string> args = {"render", "-"};
        if (failFast) args.push_back("--fail-fast");
        // Without --fail-fast the tool waits for more: the message is awaited.
        OpenInput open{failFast ? "" : message, false, ""};
        const CliResult r = RunTool(args, input, "", false, &open);
        EXPECT_EQ(open.exitedWhileOpen, failFast);
        EXPECT_EQ(open.errWhileOpen, message);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, VornPicture("P", 1));
        EXPECT_EQ(r.err, message);
    }
}

// ---- what a careful user expects around the labels themselves

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
