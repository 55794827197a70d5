// Maxicode symbols through the exported API: the structured fields and
// postal-code checks of VORN, the joined data of KESH, the notices, and what
// an unknown message kind leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "label/LabelState.h"
#include "quillon/Label.h"

namespace {

constexpr int kVorn = 0;
constexpr int kKesh = 1;

std::string Render() {
    std::string text;
    LabelToString(text);
    return text;
}

// The text that `add` puts into a form at 8 dots/mm: the rendered label less
// the header (through the scale line) and the trailer of the empty form.
std::string ObjectText(int language, const std::function<void()>& add) {
    CreateLabel(language, "L1", 8.0f, ScaleEnum::MM);
    const std::string empty = Render();
    add();
    const std::string full = Render();
    CloseLabel();
    const size_t headEnd = empty.find("\r\n", empty.find("SCALE")) + 2;
    EXPECT_EQ(full.substr(0, headEnd), empty.substr(0, headEnd));
    EXPECT_EQ(full.substr(full.size() - (empty.size() - headEnd)), empty.substr(headEnd));
    return full.substr(headEnd, full.size() - empty.size());
}

struct Maxicode {
    int kind = 0;
    int mode = 2;
    std::string postalCode = "123456789";
    std::string countryCode = "840";
    std::string serviceClass = "001";
    std::string remainingMsg = "HELLO";
    std::string year;
    std::string primaryMsg;
    float x = 100;
    float y = 50;
    ScaleEnum scale = ScaleEnum::Dot;
    bool zipper = false;
    int rotation = 0;
};

void* Add(const Maxicode& m) {
    return CreateMaxicodeBarcodes(m.kind, static_cast<MaxicodeModeEnum>(m.mode), m.postalCode, m.countryCode,
                                  m.serviceClass, m.remainingMsg, m.year, m.primaryMsg, m.x, m.y, m.scale,
                                  m.zipper, static_cast<RotateEnum>(m.rotation));
}

Maxicode Mode(int mode, std::string postalCode, int kind = 0) {
    Maxicode m;
    m.mode = mode;
    m.postalCode = std::move(postalCode);
    m.kind = kind;
    return m;
}

template <typename F>
Maxicode With(Maxicode m, F change) {
    change(m);
    return m;
}

struct Row {
    const char* name;
    Maxicode input;
    std::string expected;
};

class MaxicodeTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

TEST_F(MaxicodeTest, VornLineByModeAndKind) {
    const Row rows[] = {
        {"mode 2", Mode(2, "123456789"), "MAXICODE 100,50,2,001,840,12345,6789,\"HELLO\"\r\n"},
        {"mode 2 with the comma", Mode(2, "12345,6789"),
         "MAXICODE 100,50,2,001,840,12345,6789,\"HELLO\"\r\n"},
        {"mode 3", Mode(3, "AB12CD"), "MAXICODE 100,50,3,001,840,\"AB12CD\",\"HELLO\"\r\n"},
        {"mode 3 lower case and digits", Mode(3, "ab1234"),
         "MAXICODE 100,50,3,001,840,\"ab1234\",\"HELLO\"\r\n"},
        {"mode 4 plain", With(Mode(4, "", 2), [](Maxicode& m) { m.primaryMsg = "ABC"; }),
         "MAXICODE 100,50,4,\"ABCHELLO\"\r\n"},
        {"mode 4 ignores the structured fields", Mode(4, "not checked", 0),
         "MAXICODE 100,50,4,\"HELLO\"\r\n"},
        {"mode 4 accepts the open-system kind", Mode(4, "x", 1), "MAXICODE 100,50,4,\"HELLO\"\r\n"},
        {"plain kind in mode 2 is structured",
         With(Mode(2, "123456789", 2), [](Maxicode& m) { m.primaryMsg = "P"; }),
         "MAXICODE 100,50,2,001,840,12345,6789,\"PHELLO\"\r\n"},
        {"fields written as given",
         With(Mode(2, "000000000"),
              [](Maxicode& m) {
                  m.serviceClass = "";
                  m.countryCode = "X,Y";
              }),
         "MAXICODE 100,50,2,,X,Y,00000,0000,\"HELLO\"\r\n"},
        {"unknown mode", Mode(5, "bad"), "MAXICODE 100,50,5,\"HELLO\"\r\n"},
        {"no mode given", Mode(-1, "bad"), "MAXICODE 100,50,-1,\"HELLO\"\r\n"},
        {"year never written", With(Mode(4, ""), [](Maxicode& m) { m.year = "26"; }),
         "MAXICODE 100,50,4,\"HELLO\"\r\n"},
        {"millimetres truncate",
         With(Mode(4, ""),
              [](Maxicode& m) {
                  m.scale = ScaleEnum::MM;
                  m.x = 12.34f;
                  m.y = 6.2f;
              }),
         "MAXICODE 98,49,4,\"HELLO\"\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ObjectText(kVorn, [&] { Add(row.input); }), row.expected);
    }
}

TEST_F(MaxicodeTest, VornNoticesLeaveTheLineAlone) {
    struct NoticeRow {
        const char* name;
        bool zipper;
        int rotation;
        std::string notices;
    };
    const NoticeRow rows[] = {
        {"neither", false, 0, ""},
        {"zipper", true, 0, "Parameter [ZipperPattern] is not supported.\n"},
        {"clockwise", false, 1, "Parameter [Rotation] is not supported.\n"},
        {"inverted", false, 3, "Parameter [Rotation] is not supported.\n"},
        {"unknown rotation", false, 4, ""},
        {"both", true, 2,
         "Parameter [ZipperPattern] is not supported.\nParameter [Rotation] is not supported.\n"},
    };
    for (const NoticeRow& row : rows) {
        SCOPED_TRACE(row.name);
        Maxicode m;
        m.zipper = row.zipper;
        m.rotation = row.rotation;
        testing::internal::CaptureStdout();
        const std::string text = ObjectText(kVorn, [&] { Add(m); });
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(text, "MAXICODE 100,50,2,001,840,12345,6789,\"HELLO\"\r\n");
        // Rendered twice (empty form, then with the symbol): notices once.
        EXPECT_EQ(printed, row.notices);
    }
}

// The text of the exception `render` throws, and its kind.
template <typename Exception>
std::string ThrownBy(const Maxicode& m) {
    CreateLabel(kVorn, "L1", 8.0f, ScaleEnum::MM);
    Add(m);
    std::string text = "before";
    std::string message = "<nothing thrown>";
    try {
        LabelToString(text);
    } catch (const Exception& e) {
        message = e.what();
    }
    EXPECT_EQ(text, "before");
    CloseLabel();
    return message;
}

TEST_F(MaxicodeTest, VornRejections) {
    const std::string badPostal = "Invalid [PostalCode] data.";
    struct ErrorRow {
        const char* name;
        Maxicode input;
    };
    const ErrorRow postalRows[] = {
        {"ten digits", Mode(2, "1234567890")},
        {"eight digits", Mode(2, "12345678")},
        {"comma in the wrong place", Mode(2, "1234,56789")},
        {"other separator", Mode(2, "12345-6789")},
        {"two commas", Mode(2, "12345,,6789")},
        {"letter", Mode(2, "1234A6789")},
        {"trailing newline", Mode(2, "123456789\n")},
        {"empty in mode 2", Mode(2, "")},
        {"five characters", Mode(3, "AB12C")},
        {"seven characters", Mode(3, "AB12CDE")},
        {"leading blank", Mode(3, " AB12C")},
        {"punctuation", Mode(3, "AB-2CD")},
        {"byte above 127", Mode(3, "AB12C\xC9")},
        {"empty in mode 3", Mode(3, "")},
        {"plain kind checks too", Mode(2, "12345", 2)},
    };
    for (const ErrorRow& row : postalRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ThrownBy<std::invalid_argument>(row.input), badPostal);
    }
    const std::string unsupported = "Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.";
    const ErrorRow formatRows[] = {
        {"open system in mode 2", Mode(2, "123456789", 1)},
        {"open system in mode 3", Mode(3, "AB12CD", 1)},
        {"format checked before the postal code", Mode(2, "bad", 1)},
    };
    for (const ErrorRow& row : formatRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ThrownBy<std::runtime_error>(row.input), unsupported);
    }
}

TEST_F(MaxicodeTest, VornNoticesComeBeforeTheThrow) {
    Maxicode m = Mode(3, "AB12C");
    m.zipper = true;
    m.rotation = 1;
    testing::internal::CaptureStdout();
    const std::string message = ThrownBy<std::invalid_argument>(m);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Parameter [ZipperPattern] is not supported.\nParameter [Rotation] is not supported.\n");
    EXPECT_EQ(message, "Invalid [PostalCode] data.");
}

TEST_F(MaxicodeTest, KeshBlockJoinsTheData) {
    const Row rows[] = {
        {"mode 2", Mode(2, "123456789"),
         "BARCODE\r\nMAXICODE;M2;50;100\r\n*001840123456789;HELLO*\r\nSTOP\r\n"},
        {"postal code not checked", Mode(2, "1234567890"),
         "BARCODE\r\nMAXICODE;M2;50;100\r\n*0018401234567890;HELLO*\r\nSTOP\r\n"},
        {"open-system kind not refused", Mode(3, "AB12CDE", 1),
         "BARCODE\r\nMAXICODE;M3;50;100\r\n*001840AB12CDE;HELLO*\r\nSTOP\r\n"},
        {"primary message after the separator",
         With(Mode(2, "123456789"), [](Maxicode& m) { m.primaryMsg = "P"; }),
         "BARCODE\r\nMAXICODE;M2;50;100\r\n*001840123456789;PHELLO*\r\nSTOP\r\n"},
        {"only a primary message",
         With(Mode(4, "", 2),
              [](Maxicode& m) {
                  m.serviceClass = m.countryCode = "";
                  m.primaryMsg = "ABC";
              }),
         "BARCODE\r\nMAXICODE;M4;50;100\r\n*ABC;HELLO*\r\nSTOP\r\n"},
        {"only the remaining message",
         With(Mode(4, "", 2), [](Maxicode& m) { m.serviceClass = m.countryCode = ""; }),
         "BARCODE\r\nMAXICODE;M4;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"mode 4 still joins the fields", Mode(4, "X"),
         "BARCODE\r\nMAXICODE;M4;50;100\r\n*001840X;HELLO*\r\nSTOP\r\n"},
        {"zipper right after the mode",
         With(Mode(2, "123456789"),
              [](Maxicode& m) {
                  m.zipper = true;
                  m.rotation = 1;
              }),
         "BARCODE\r\nMAXICODE;M2;Z;CW;50;100\r\n*001840123456789;HELLO*\r\nSTOP\r\n"},
        {"counter-clockwise", With(Mode(2, "1"), [](Maxicode& m) { m.rotation = 2; }),
         "BARCODE\r\nMAXICODE;M2;CCW;50;100\r\n*0018401;HELLO*\r\nSTOP\r\n"},
        {"inverted", With(Mode(2, "1"), [](Maxicode& m) { m.rotation = 3; }),
         "BARCODE\r\nMAXICODE;M2;INV;50;100\r\n*0018401;HELLO*\r\nSTOP\r\n"},
        {"unknown rotation", With(Mode(2, "1"), [](Maxicode& m) { m.rotation = 8; }),
         "BARCODE\r\nMAXICODE;M2;50;100\r\n*0018401;HELLO*\r\nSTOP\r\n"},
        {"data holding the asterisk",
         With(Mode(4, "", 2),
              [](Maxicode& m) {
                  m.serviceClass = m.countryCode = "";
                  m.remainingMsg = "A*B";
              }),
         "BARCODE\r\nMAXICODE;M4;50;100\r\n\"A*B\"\r\nSTOP\r\n"},
        {"millimetres truncate",
         With(Mode(2, "1"),
              [](Maxicode& m) {
                  m.scale = ScaleEnum::MM;
                  m.x = 12.34f;
                  m.y = 6.2f;
              }),
         "BARCODE\r\nMAXICODE;M2;49;98\r\n*0018401;HELLO*\r\nSTOP\r\n"},
    };
    testing::internal::CaptureStdout();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ObjectText(kKesh, [&] { Add(row.input); }), row.expected);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "KESH expresses zipper and rotation";
}

TEST_F(MaxicodeTest, UnknownKindRecordsNothing) {
    for (int language : {kVorn, kKesh}) {
        SCOPED_TRACE(language);
        CreateLabel(language, "L1", 8.0f, ScaleEnum::MM);
        const std::string empty = Render();
        const size_t objects = gpLabel->Form().ObjectCount();
        const size_t owned = ObjectsPtr.size();
        for (int kind : {3, -1, 99}) {
            Maxicode bad = Mode(2, "123456789", kind);
            EXPECT_EQ(Add(bad), gpLabel.get());
        }
        EXPECT_EQ(gpLabel->Form().ObjectCount(), objects);
        EXPECT_EQ(gpLabel->Form().VornobjMaxicodeTyp.size(), objects);
        for (auto* list : {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                           &ObjCellRectPtr, &ObjTextItemPtr})
            EXPECT_EQ(list->size(), owned);
        EXPECT_EQ(Render(), empty);
        // The next symbol lines up: its own values come out, not a neighbour's.
        Maxicode good = Mode(4, "", 2);
        good.remainingMsg = "NEXT";
        EXPECT_EQ(Add(good), gpLabel.get());
        EXPECT_EQ(ObjectsPtr.size(), owned + 1);
        const std::string text = Render();
        EXPECT_NE(text.find(language == kVorn ? "MAXICODE 100,50,4,\"NEXT\"\r\n" : "*001840;NEXT*"),
                  std::string::npos)
            << text;
        CloseLabel();
    }
    EXPECT_EQ(Add(Maxicode{}), nullptr) << "no label open";
}

// Reads "MAXICODE f1,f2,...,"data"\r\n" into its fields before the data and
// the data itself.
void SplitVorn(const std::string& line, std::vector<std::string>& fields, std::string& data) {
    const size_t open = line.rfind(",\"", line.size() - 4);
    data = line.substr(open + 2, line.size() - open - 5);
    fields.clear();
    size_t pos = 9;
    while (pos <= open) {
        size_t comma = line.find(',', pos);
        fields.push_back(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
}

// Sweeps message length, position, unit and rotation. Maxicode has a fixed
// physical size, so VORN (which cannot rotate it) must write the same anchor
// for every rotation and KESH the same position; the field count is fixed by
// the mode, the data comes back whole, and the KESH frame never occurs in
// the data.
TEST_F(MaxicodeTest, PropertyAnchorAndFieldsHoldForAnyMessage) {
    const size_t lengths[] = {0, 1, 2, 30, 93, 138, 500};
    const float positions[][2] = {{0, 0}, {3.7f, 11.2f}, {25.4f, 50.8f}};
    const ScaleEnum scales[] = {ScaleEnum::Dot, ScaleEnum::MM, ScaleEnum::Inch};
    const int modes[][3] = {{2, 0, 8}, {3, 0, 7}, {4, 2, 4}, {2, 2, 8}};
    const char alphabet[] = "*\"'_`-#^+!AZ09;,~/ ";
    testing::internal::CaptureStdout();
    for (size_t length : lengths) {
        for (const auto& pos : positions) {
            for (ScaleEnum scale : scales) {
                for (const auto& mode : modes) {
                    Maxicode m = Mode(mode[0], mode[0] == 3 ? "A1B2C3" : "12345,6789", mode[1]);
                    m.x = pos[0];
                    m.y = pos[1];
                    m.scale = scale;
                    m.remainingMsg.clear();
                    for (size_t i = 0; i < length; ++i) m.remainingMsg += alphabet[(i * 7 + length) % 19];
                    // VORN frames with the double quote whatever the data.
                    std::string vornData = m.remainingMsg;
                    for (char& c : vornData) c = c == '"' ? 'Q' : c == ',' ? 'C' : c;
                    SCOPED_TRACE("length " + std::to_string(length) + " mode " + std::to_string(mode[0]) +
                                 " scale " + std::to_string(static_cast<int>(scale)));
                    std::string anchor;
                    std::string keshPosition;
                    for (int rotation = 0; rotation < 4; ++rotation) {
                        m.rotation = rotation;
                        Maxicode vorn = m;
                        vorn.remainingMsg = vornData;
                        std::vector<std::string> fields;
                        std::string data;
                        SplitVorn(ObjectText(kVorn, [&] { Add(vorn); }), fields, data);
                        ASSERT_EQ(static_cast<int>(fields.size()) + 1, mode[2]);
                        EXPECT_EQ(data, vornData);
                        EXPECT_EQ(fields[2], std::to_string(mode[0]));
                        const std::string here = fields[0] + "," + fields[1];
                        if (rotation == 0) anchor = here;
                        EXPECT_EQ(here, anchor);
                        EXPECT_GE(std::stoi(fields[0]), 0);

                        const std::string kesh = ObjectText(kKesh, [&] { Add(m); });
                        const size_t line2 = kesh.find("\r\n", 9) + 2;
                        const size_t end = kesh.size() - 8;  // "\r\nSTOP\r\n"
                        const std::string framed = kesh.substr(line2, end - line2);
                        const char frame = framed.front();
                        EXPECT_EQ(framed.back(), frame);
                        EXPECT_EQ(m.remainingMsg.find(frame), std::string::npos);
                        EXPECT_EQ(
                            framed.substr(framed.size() - 1 - m.remainingMsg.size(), m.remainingMsg.size()),
                            m.remainingMsg);
                        const std::string params = kesh.substr(9, line2 - 11);
                        const std::string position = params.substr(params.rfind(';', params.rfind(';') - 1));
                        if (rotation == 0) keshPosition = position;
                        EXPECT_EQ(position, keshPosition);
                        // KESH position is y;x, the same numbers VORN writes as x,y.
                        EXPECT_EQ(position, ";" + fields[1] + ";" + fields[0]);
                    }
                }
            }
        }
    }
    testing::internal::GetCapturedStdout();
}

}  // namespace
