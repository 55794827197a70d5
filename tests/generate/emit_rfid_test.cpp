// RFID tag writes through the exported API: the rebuilt tag data, bit
// counts, passwords and line layout in both languages, the banks that record
// nothing, and ToHexString.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "emit_support.h"
#include "label/LabelState.h"
#include "label/VornForm.h"
#include "quillon/Label.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;

// Arguments of one CreateRfidEncode call: EPC bank, offset 2, fields
// 12345678 / ABCD / "LABEL1", no password.
struct Write {
    unsigned int field32 = 305419896, field16 = 43981;
    std::string ascii = "LABEL1";
    int bank = 1, offset = 2;
    std::string user10, hex4;
    int passwordType = 0;
    std::string password;

    Write& Fields(unsigned int f32, unsigned int f16, std::string a) {
        return field32 = f32, field16 = f16, ascii = std::move(a), *this;
    }
    Write& Offset(int o) { return offset = o, *this; }
    Write& Ascii(std::string a) { return ascii = std::move(a), *this; }
    Write& Password(int type, std::string p = "") {
        return passwordType = type, password = std::move(p), *this;
    }
    void* Add() const {
        return CreateRfidEncode(field32, field16, ascii, static_cast<RfidMemBlockEnum>(bank), offset, user10,
                                hex4, static_cast<RfidPasswordTypeEnum>(passwordType), password);
    }
};

Write User(std::string user10, std::string hex4, int offset = 0) {
    Write w;
    w.bank = 3, w.user10 = std::move(user10), w.hex4 = std::move(hex4), w.offset = offset;
    return w;
}

std::string Text(int lang, const Write& w) {
    return quillon_test::ObjectText(
        lang, [&] { w.Add(); }, 8.0f, ScaleEnum::MM);
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
    const std::string epc = "RFID WRITE 0,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n";
    // clang-format off
    const Row rows[] = {
        {"epc", Write{}, epc},
        {"user bank", User("HELLO", "BEEF"), "RFID WRITE 0,H,0,56,USR,\"48454C4C4FBEEF\"\r\n"},
        {"user bank offset", User("A", "", 6), "RFID WRITE 0,H,6,8,USR,\"41\"\r\n"},
        {"empty user data", User("", ""), "RFID WRITE 0,H,0,0,USR\r\n"},
        {"lock puts the password first", Write().Password(1, "PW1"), "RFID WRITE PW1,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
        {"lock with an empty password", Write().Password(1), "RFID WRITE ,H,2,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
        {"password ignored without a type", Write().Password(0, "PW1"), epc},
        {"16-bit field keeps its low 16 bits", Write().Fields(305419896, 0x12345, "LABEL1"), "RFID WRITE 0,H,2,96,EPC,\"123456784c4142454c312345\"\r\n"},
        {"ascii part is lower case", Write().Ascii("z"), "RFID WRITE 0,H,2,56,EPC,\"123456787aABCD\"\r\n"},
        {"bytes above 127 as unsigned", Write().Ascii("\xE9\x80"), "RFID WRITE 0,H,2,64,EPC,\"12345678e980ABCD\"\r\n"},
        {"zero byte", Write().Ascii(std::string(1, '\0')), "RFID WRITE 0,H,2,56,EPC,\"1234567800ABCD\"\r\n"},
        {"all bits set", Write().Fields(0xFFFFFFFFu, 0xFFFFFFFFu, ""), "RFID WRITE 0,H,2,48,EPC,\"FFFFFFFFFFFF\"\r\n"},
        {"zero fields", Write().Fields(0, 0, "LABEL1"), "RFID WRITE 0,H,2,96,EPC,\"000000004c4142454c310000\"\r\n"},
        {"user bytes above 127 upper case", User("\xE9", "ab"), "RFID WRITE 0,H,0,16,USR,\"E9ab\"\r\n"},
        {"epc offset is written", Write().Offset(-3), "RFID WRITE 0,H,-3,96,EPC,\"123456784c4142454c31ABCD\"\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Text(kVorn, row.input), row.expected) << row.name;
}

TEST_F(RfidTest, KeshBlock) {
    const std::string epc = "RFWTAG;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n";
    // clang-format off
    const Row rows[] = {
        {"epc", Write{}, epc},
        {"user bank", User("HELLO", "BEEF"), "RFWTAG;56;0;USR\r\n56;H;*48454C4C4FBEEF*\r\nSTOP\r\n"},
        {"empty user data breaks before the bit count", User("", ""), "RFWTAG;\r\n0;0;USR\r\nSTOP\r\n"},
        {"lock", Write().Password(1, "PW1"), "RFWTAG;1PW1;H;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"perma-unlock accepted", Write().Password(4, "X"), "RFWTAG;4X;H;96;2;EPC\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n"},
        {"type without a password", Write().Password(2), epc},
        {"password without a type", Write().Password(0, "PW1"), epc},
        {"password and no data", User("", "").Password(1, "PW"), "RFWTAG;1PW;H\r\n0;0;USR\r\nSTOP\r\n"},
        {"frame avoids the data", User("", "*"), "RFWTAG;4;0;USR\r\n4;H;\"*\"\r\nSTOP\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Text(kKesh, row.input), row.expected) << row.name;
}

TEST_F(RfidTest, VornRejectsPasswordTypes) {
    for (int type : {2, 3, 4, -1, 5}) {
        const Write w = Write().Password(type, "PW");
        EXPECT_EQ(quillon_test::Thrown<std::invalid_argument>(kVorn, [&] { w.Add(); }),
                  "Invalid Password Type")
            << type;
    }
}

// Only EPC and user-bank writes reach the form through the entry point; the
// emitters still name every bank, so they are driven directly here.
TEST_F(RfidTest, BankKeywordsAndErrors) {
    const std::string noBank = "!A valid RFID memory bank needs to be selected.";
    const std::string notVorn = "!VORN RFID memory block type not handled";
    const std::string notKesh = "!KESH RFID memory block type not handled";
    const std::string data = "\r\n96;H;*123456784c4142454c31ABCD*\r\nSTOP\r\n";
    const std::string vornData = ",\"123456784c4142454c31ABCD\"\r\n";
    const struct {
        int bank, passwordType;
        std::string vorn, kesh;
    } rows[] = {
        {0, 0, noBank, noBank},
        {1, 0, "RFID WRITE 0,H,2,96,EPC" + vornData, "RFWTAG;96;2;EPC" + data},
        {2, 0, "RFID WRITE 0,H,2,96,TID" + vornData, "RFWTAG;96;2;TID" + data},
        {4, 0, "RFID WRITE 0,H,2,96,ACS" + vornData, "RFWTAG;96;2;ACS" + data},
        {5, 0, "RFID WRITE 0,H,2,96,KIL" + vornData, "RFWTAG;96;2;KIL" + data},
        {6, 0, "RFID WRITE 0,H,2,96,PC" + vornData, "RFWTAG;96;2;PC" + data},
        {7, 0, notVorn, "RFWTAG;96;2;RSV" + data},
        {8, 0, notVorn, notKesh},
        {-1, 0, notVorn, notKesh},
        {0, 2, "!Invalid Password Type", noBank},
    };
    VornForm form("L1", nullptr);
    for (const auto& row : rows) {
        for (int lang : {kVorn, kKesh}) {
            std::string out;
            const auto emit =
                lang == kKesh ? &VornForm::GetRfidWriteString_kesh : &VornForm::GetRfidWriteString;
            try {
                (form.*emit)(out, 305419896, 43981, "LABEL1", row.bank, 2, "", "", row.passwordType, "");
            } catch (const std::invalid_argument& e) {
                out = std::string("!") + e.what();
            }
            EXPECT_EQ(out, lang == kKesh ? row.kesh : row.vorn)
                << row.bank << " password " << row.passwordType;
        }
    }
}

TEST_F(RfidTest, OtherBanksRecordNothing) {
    CreateLabel(kVorn, "L1", 8.0f, ScaleEnum::MM);
    std::string empty, text;
    LabelToString(empty);
    const size_t owned = ObjectsPtr.size();
    for (int bank : {0, 2, 4, 5, 6, 7, 8, -1}) {
        Write w;
        w.bank = bank;
        EXPECT_EQ(w.Add(), gpLabel.get()) << bank;
        EXPECT_EQ(gpLabel->Form().ObjectCount(), 1u) << bank;
        EXPECT_EQ(ObjectsPtr.size(), owned) << bank;
    }
    LabelToString(text);
    EXPECT_EQ(text, empty);
    CloseLabel();
}

TEST_F(RfidTest, ToHexStringIsLowerCaseUnsigned) {
    const std::string rows[][2] = {
        {"AB", "4142"}, {"\xAB", "ab"}, {"", ""}, {std::string(1, '\0'), "00"}, {"\xE9z\xFF\x0f", "e97aff0f"},
    };
    for (const auto& row : rows) EXPECT_EQ(ToHexString(row[0]), row[1]);
}

}  // namespace
