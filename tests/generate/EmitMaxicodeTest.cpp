// Maxicode symbols and RFID writes in both languages against
// golden/maxicode.txt and golden/rfid.txt.
#include <gtest/gtest.h>

#include <string>

#include "EmitterGolden.h"

namespace {

using namespace quillon_test;

// Mode 2, 123456789, 840, 001, HELLO at (100, 50) dots.
struct Mx {
    int kind = 0, mode = 2, rotation = 0;
    std::string postal = "123456789", country = "840", service = "001", remaining = "HELLO", year, primary;
    float x = 100, y = 50;
    ScaleEnum scale = Dot;
    bool zipper = false;

    Mx& Mode(int m, std::string p, int k = 0) { return mode = m, postal = std::move(p), kind = k, *this; }
    Mx& Primary(std::string p) { return primary = std::move(p), *this; }
    Mx& Data(std::string d) { return remaining = std::move(d), *this; }
    Mx& Fields(std::string s, std::string c) { return service = std::move(s), country = std::move(c), *this; }
    Mx& Turn(int r, bool z = false) { return rotation = r, zipper = z, *this; }
    Mx& Mm() { return scale = MM, x = 12.34f, y = 6.2f, *this; }
    void operator()() const {
        CreateMaxicodeBarcodes(kind, As<MaxicodeModeEnum>(mode), postal, country, service, remaining, year,
                               primary, x, y, scale, zipper, As<RotateEnum>(rotation));
    }
};

TEST(Emitters, Maxicode) {
    Mx year = Mx().Mode(4, "");
    year.year = "26";
    // clang-format off
    CheckGolden("maxicode", {
        {"mode 2", Mx()}, {"mode 2 with the comma", Mx().Mode(2, "12345,6789")}, {"mode 3", Mx().Mode(3, "AB12CD")},
        {"mode 3 lower case", Mx().Mode(3, "ab1234")}, {"mode 4 plain", Mx().Mode(4, "", 2).Primary("ABC")},
        {"mode 4 structured kind", Mx().Mode(4, "not checked")}, {"mode 4 open-system kind", Mx().Mode(4, "x", 1)},
        {"plain kind in mode 2", Mx().Mode(2, "123456789", 2).Primary("P")},
        {"fields as given", Mx().Mode(2, "000000000").Fields("", "X,Y")}, {"unknown mode", Mx().Mode(5, "bad")},
        {"year", year}, {"millimetres", Mx().Mode(4, "").Mm()}, {"clockwise", Mx().Turn(1)}, {"rotation 4", Mx().Turn(4)},
        {"zipper, counter-clockwise", Mx().Turn(2, true)},
        {"notices before the throw", Mx().Mode(3, "AB12C").Turn(1, true)}, {"eight digits", Mx().Mode(2, "12345678")},
        {"comma misplaced", Mx().Mode(2, "1234,56789")}, {"letter", Mx().Mode(2, "1234A6789")},
        {"five characters", Mx().Mode(3, "AB12C")}, {"punctuation", Mx().Mode(3, "AB-2CD")},
        {"byte above 127", Mx().Mode(3, "AB12C\xC9")}, {"plain kind checks too", Mx().Mode(2, "12345", 2)},
        {"open system in mode 2", Mx().Mode(2, "123456789", 1)}, {"open system before the postal code", Mx().Mode(2, "bad", 1)},
        {"only a primary message", Mx().Mode(4, "", 2).Fields("", "").Primary("ABC")},
        {"only the remaining message", Mx().Mode(4, "", 2).Fields("", "")},
        {"asterisk in data", Mx().Mode(4, "", 2).Fields("", "").Data("A*B")},
        {"unknown kinds record nothing", [] { Mx().Mode(2, "123456789", 3)(); Mx().Mode(2, "1", -1)(); Mx().Mode(4, "", 2).Data("NEXT")(); }},
    });
    // clang-format on
}

// EPC bank, offset 2, fields 12345678 / ABCD / LABEL1, no password.
struct Rfid {
    unsigned int field32 = 305419896, field16 = 43981;
    std::string ascii = "LABEL1", user10, hex4, password;
    int bank = 1, offset = 2, passwordType = 0;

    Rfid& Fields(unsigned int f32, unsigned int f16, std::string a) {
        return field32 = f32, field16 = f16, ascii = std::move(a), *this;
    }
    Rfid& User(std::string u, std::string h, int o = 0) {
        return bank = 3, user10 = std::move(u), hex4 = std::move(h), offset = o, *this;
    }
    Rfid& Password(int t, std::string p = "") { return passwordType = t, password = std::move(p), *this; }
    Rfid& Bank(int b, int o = 2) { return bank = b, offset = o, *this; }
    void operator()() const {
        CreateRfidEncode(field32, field16, ascii, As<RfidMemBlockEnum>(bank), offset, user10, hex4,
                         As<RfidPasswordTypeEnum>(passwordType), password);
    }
};

TEST(Emitters, Rfid) {
    // clang-format off
    CheckGolden("rfid", {
        {"epc", Rfid()}, {"user bank", Rfid().User("HELLO", "BEEF")}, {"user bank offset", Rfid().User("A", "", 6)},
        {"empty user data", Rfid().User("", "")}, {"lock", Rfid().Password(1, "PW1")},
        {"lock, empty password", Rfid().Password(1)}, {"password without a type", Rfid().Password(0, "PW1")},
        {"perma-lock", Rfid().Password(2, "PW")}, {"password type 5", Rfid().Password(5, "PW")},
        {"type without a password", Rfid().Password(2)},
        {"password and no data", Rfid().User("", "").Password(1, "PW")},
        {"16-bit field keeps 16 bits", Rfid().Fields(305419896, 0x12345, "LABEL1")},
        {"ascii part in lower case", Rfid().Fields(305419896, 43981, "z")},
        {"bytes above 127", Rfid().Fields(305419896, 43981, "\xE9\x80")},
        {"zero byte", Rfid().Fields(305419896, 43981, std::string(1, '\0'))},
        {"all bits set", Rfid().Fields(0xFFFFFFFFu, 0xFFFFFFFFu, "")}, {"zero fields", Rfid().Fields(0, 0, "LABEL1")},
        {"user bytes above 127", Rfid().User("\xE9", "ab")}, {"frame avoids the data", Rfid().User("", "*")},
        {"negative offset", Rfid().Bank(1, -3)},
        {"other banks record nothing", [] { for (int bank : {0, 2, 4, 5, 6, 7, 8, -1}) Rfid().Bank(bank)(); }},
    });
    // clang-format on
}

}  // namespace
