// RFID tag writes through the exported API: the rebuilt tag data, bit
// counts, passwords and line layout in both languages, the banks that record
// nothing, and ToHexString.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "label/LabelState.h"
#include "label/VornForm.h"
#include "quillon/Label.h"

namespace {

constexpr int kVorn = 0;
constexpr int kKesh = 1;

std::string Render() {
    std::string text;
    LabelToString(text);
    return text;
}

// The text that `add` puts into a form: the rendered label less the header
// (through the scale line) and the trailer of the empty form.
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

struct Write {
    unsigned int field32 = 305419896;  // 12345678
    unsigned int field16 = 43981;      // ABCD
    std::string ascii = "LABEL1";
    int bank = 1;
    int offset = 2;
    std::string user10;
    std::string hex4;
    int passwordType = 0;
    std::string password;
};

void* Add(const Write& w) {
    return CreateRfidEncode(w.field32, w.field16, w.ascii, static_cast<RfidMemBlockEnum>(w.bank), w.offset,
                            w.user10, w.hex4, static_cast<RfidPasswordTypeEnum>(w.passwordType), w.password);
}

template <typename F>
Write With(F change) {
    Write w;
    change(w);
    return w;
}

Write User(std::string user10, std::string hex4, int offset = 0) {
    Write w;
    w.bank = 3;
    w.user10 = std::move(user10);
    w.hex4 = std::move(hex4);
    w.offset = offset;
    return w;
}

struct Row {
    const char* name;
    Write input;
    std::string expected;
};

class RfidTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

TEST_F(RfidTest, VornLine) {
    const Row rows[] = {
        {"epc", Write{}, "RFID WRITE 0,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
        {"user bank", User("HELLO", "BEEF"), "RFID WRITE 0,H,0,56,USR,\"48454C4C4FBEEF\"\r\n"},
        {"user bank offset", User("A", "", 6), "RFID WRITE 0,H,6,8,USR,\"41\"\r\n"},
        {"empty user data", User("", ""), "RFID WRITE 0,H,0,0,USR\r\n"},
        {"lock puts the password first", With([](Write& w) {
             w.passwordType = 1;
             w.password = "PW1";
         }),
         "RFID WRITE PW1,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
        {"lock with an empty password", With([](Write& w) { w.passwordType = 1; }),
         "RFID WRITE ,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
        {"password ignored without a type", With([](Write& w) { w.password = "PW1"; }),
         "RFID WRITE 0,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
        {"16-bit field keeps its low 16 bits", With([](Write& w) { w.field16 = 0x12345; }),
         "RFID WRITE 0,H,2,96,EPC,\"123456784c4142454c312345\"\r\n"},
        {"ascii part is lower case", With([](Write& w) { w.ascii = "z"; }),
         "RFID WRITE 0,H,2,56,EPC,\"123456787aABCD\"\r\n"},
        {"bytes above 127 as unsigned", With([](Write& w) { w.ascii = "\xE9\x80"; }),
         "RFID WRITE 0,H,2,64,EPC,\"12345678e980ABCD\"\r\n"},
        {"zero byte", With([](Write& w) { w.ascii = std::string(1, '\0'); }),
         "RFID WRITE 0,H,2,56,EPC,\"1234567800ABCD\"\r\n"},
        {"all bits set", With([](Write& w) {
             w.field32 = 0xFFFFFFFFu;
             w.field16 = 0xFFFFFFFFu;
             w.ascii = "";
         }),
         "RFID WRITE 0,H,2,48,EPC,\"FFFFFFFFFFFF\"\r\n"},
        {"zero fields", With([](Write& w) {
             w.field32 = 0;
             w.field16 = 0;
         }),
         "RFID WRITE 0,H,2,96,EPC,\"000000004c4142454c310000\"\r\n"},
        {"user bytes above 127 upper case", User("\xE9", "ab"), "RFID WRITE 0,H,0,16,USR,\"E9ab\"\r\n"},
        {"epc offset is written", With([](Write& w) { w.offset = -3; }),
         "RFID WRITE 0,H,-3,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ObjectText(kVorn, [&] { Add(row.input); }), row.expected);
    }
}

TEST_F(RfidTest, KeshBlock) {
    const Row rows[] = {
        {"epc", Write{}, "RFWTAG;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"user bank", User("HELLO", "BEEF"), "RFWTAG;56;0;USR\r\n56;H;*48454C4C4FBEEF*\r\nSTOP\r\n"},
        {"empty user data breaks before the bit count", User("", ""), "RFWTAG;\r\n0;0;USR\r\nSTOP\r\n"},
        {"lock", With([](Write& w) {
             w.passwordType = 1;
             w.password = "PW1";
         }),
         "RFWTAG;1PW1;H;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"perma-unlock accepted", With([](Write& w) {
             w.passwordType = 4;
             w.password = "X";
         }),
         "RFWTAG;4X;H;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"type without a password", With([](Write& w) { w.passwordType = 2; }),
         "RFWTAG;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"password without a type", With([](Write& w) { w.password = "PW1"; }),
         "RFWTAG;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"password and no data", With([](Write& w) {
             w = User("", "");
             w.passwordType = 1;
             w.password = "PW";
         }),
         "RFWTAG;1PW;H\r\n0;0;USR\r\nSTOP\r\n"},
        {"frame avoids the data", User("", "*"), "RFWTAG;4;0;USR\r\n4;H;\"*\"\r\nSTOP\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ObjectText(kKesh, [&] { Add(row.input); }), row.expected);
    }
}

TEST_F(RfidTest, VornRejectsPasswordTypes) {
    for (int type : {2, 3, 4, -1, 5}) {
        SCOPED_TRACE(type);
        CreateLabel(kVorn, "L1", 8.0f, ScaleEnum::MM);
        Write w;
        w.passwordType = type;
        w.password = "PW";
        Add(w);
        std::string text = "before";
        std::string message = "<nothing thrown>";
        try {
            LabelToString(text);
        } catch (const std::invalid_argument& e) {
            message = e.what();
        }
        EXPECT_EQ(message, "Invalid Password Type");
        EXPECT_EQ(text, "before");
        CloseLabel();
    }
}

// Only EPC and user-bank writes reach the form through the entry point; the
// emitters still name every bank, so they are driven directly here.
TEST_F(RfidTest, BankKeywordsAndErrors) {
    struct BankRow {
        int bank;
        int passwordType;
        std::string vorn;
        std::string kesh;
    };
    const std::string noBank = "A valid RFID memory bank needs to be selected.";
    const std::string data = "96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n";
    const std::string vornData = ",\"123456784c4142454c31ABCD\"\r\n";
    const BankRow rows[] = {
        {0, 0, "!" + noBank, "!" + noBank},
        {1, 0, "RFID WRITE 0,H,2,96,EPC" + vornData, "RFWTAG;96;2;EPC\r\n" + data},
        {2, 0, "RFID WRITE 0,H,2,96,TID" + vornData, "RFWTAG;96;2;TID\r\n" + data},
        {4, 0, "RFID WRITE 0,H,2,96,ACS" + vornData, "RFWTAG;96;2;ACS\r\n" + data},
        {5, 0, "RFID WRITE 0,H,2,96,KIL" + vornData, "RFWTAG;96;2;KIL\r\n" + data},
        {6, 0, "RFID WRITE 0,H,2,96,PC" + vornData, "RFWTAG;96;2;PC\r\n" + data},
        {7, 0, "!VORN RFID memory block type not handled", "RFWTAG;96;2;RSV\r\n" + data},
        {8, 0, "!VORN RFID memory block type not handled", "!KESH RFID memory block type not handled"},
        {-1, 0, "!VORN RFID memory block type not handled", "!KESH RFID memory block type not handled"},
        {0, 2, "!Invalid Password Type", "!" + noBank},
    };
    VornForm form("L1", nullptr);
    for (const BankRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.bank) + " password " + std::to_string(row.passwordType));
        for (int language : {kVorn, kKesh}) {
            std::string out;
            const auto emit =
                language == kKesh ? &VornForm::GetRfidWriteString_kesh : &VornForm::GetRfidWriteString;
            try {
                (form.*emit)(out, 305419896, 43981, "LABEL1", row.bank, 2, "", "", row.passwordType, "");
            } catch (const std::invalid_argument& e) {
                out = std::string("!") + e.what();
            }
            EXPECT_EQ(out, language == kKesh ? row.kesh : row.vorn);
        }
    }
}

TEST_F(RfidTest, OtherBanksRecordNothing) {
    CreateLabel(kVorn, "L1", 8.0f, ScaleEnum::MM);
    const std::string empty = Render();
    const size_t owned = ObjectsPtr.size();
    for (int bank : {0, 2, 4, 5, 6, 7, 8, -1}) {
        SCOPED_TRACE(bank);
        Write w;
        w.bank = bank;
        EXPECT_EQ(Add(w), gpLabel.get());
        EXPECT_EQ(gpLabel->Form().ObjectCount(), 1u);
        EXPECT_EQ(ObjectsPtr.size(), owned);
    }
    EXPECT_EQ(Render(), empty);
    CloseLabel();
    EXPECT_EQ(Add(Write{}), nullptr) << "no label open";
}

TEST_F(RfidTest, ToHexStringIsLowerCaseUnsigned) {
    struct HexRow {
        std::string input;
        std::string expected;
    };
    const HexRow rows[] = {
        {"AB", "4142"}, {"\xAB", "ab"}, {"", ""}, {std::string(1, '\0'), "00"}, {"\xE9z\xFF\x0f", "e97aff0f"},
    };
    for (const HexRow& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(ToHexString(row.input), row.expected);
    }
}

}  // namespace
