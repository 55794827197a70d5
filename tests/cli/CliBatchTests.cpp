// Large and slow batches: labels are read on one thread and rendered on
// another, in batches of 128, and none of that may show in what the user
// sees.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "CliRunner.h"

namespace {

const std::string kBadX = R"({"name": "B", "objects": [{"type": "picture", "x": true, "name": "A"}]})";
const std::string kUnlock =
    R"({"objects": [{"type": "rfid", "password_type": "unlock", "password": "00000000"}]})";
const std::string kBadXMessage = "objects[0].x: expected a number\n";

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
// file as on standard output.
TEST(CliBatch, LargeOutputIsComplete) {
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
    CliResult toFile = RunTool({"render", dir + "/in.jsonl", "-o", dir + "/out.txt"});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_TRUE(ReadFile(dir + "/out.txt") == expected) << "file differs";
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
        const OpenInputResult r = RunToolOpenInput(args, input, failFast ? "" : message);
        EXPECT_EQ(r.exitedWhileOpen, failFast);
        EXPECT_EQ(r.errWhileOpen, message);
        EXPECT_EQ(r.result.status, 2);
        EXPECT_EQ(r.result.out, VornPicture("P", 1));
        EXPECT_EQ(r.result.err, message);
    }
}

}  // namespace
