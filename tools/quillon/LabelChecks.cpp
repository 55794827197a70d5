
#include <cstring>

#include "Label.h"

namespace quillon::cli {
namespace {

[[noreturn]] void Fail(const std::string& path, const char* key, const std::string& what) {
    throw LabelError((key ? path + "." + key : path) + ": " + what);
}

bool AllOf(std::string_view text, const char* allowed) {
    for (char c : text)
        if (c == '\0' || !std::strchr(allowed, c)) return false;
    return true;
}

const char* const kDigits = "0123456789";

// The GS1 check digit: weights 3 and 1 from the right, the check digit last.
bool CheckDigitMatches(std::string_view digits) {
    int sum = 0;
    for (std::size_t i = 0; i + 1 < digits.size(); ++i)
        sum += (digits[digits.size() - 2 - i] - '0') * (i % 2 == 0 ? 3 : 1);
    return (10 - sum % 10) % 10 == digits.back() - '0';
}

// What each symbology can encode; the message names the rule.
void CheckBarcodeData(const ObjectDesc& o, const std::string& path) {
    const std::string& d = o.data;
    auto gtin = [&](std::size_t length, const char* what) {
        if (!AllOf(d, kDigits) || (d.size() != length && d.size() != length + 1))
            Fail(path, "data", std::string("expected ") + what);
        if (d.size() == length + 1 && !CheckDigitMatches(d)) Fail(path, "data", "wrong check digit");
    };
    switch (o.symbology) {
        case 4:
            return gtin(12, "12 digits, or 13 with the check digit");
        case 5:
            return gtin(7, "7 digits, or 8 with the check digit");
        case 6:
            return gtin(11, "11 digits, or 12 with the check digit");
        case 7:
            if (!AllOf(d, kDigits) || d.size() % 2 != 0) Fail(path, "data", "expected an even number of digits");
            return;
        case 1:
        case 2:
            if (!AllOf(d, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"))
                Fail(path, "data", std::string(SymbologyName(o.symbology)) +
                                       " encodes 0-9, A-Z, space and - . $ / + % only");
            return;
        case 8: {
            // Start and stop letters come in pairs or not at all.
            std::string_view body(d);
            if (body.size() >= 2 && AllOf(body.substr(0, 1), "ABCD") && AllOf(body.substr(body.size() - 1), "ABCD"))
                body = body.substr(1, body.size() - 2);
            if (body.empty() || !AllOf(body, "0123456789-$:/.+"))
                Fail(path, "data", "Codabar encodes 0-9 and - $ : / . + between optional start and stop letters A-D");
            return;
        }
        default:
            for (char c : d)
                if (static_cast<unsigned char>(c) > 127) Fail(path, "data", "Code 128 encodes ASCII characters only");
    }
}

}  // namespace

const char* SymbologyName(int symbology) {
    static const char* const kNames[] = {"",      "Code 93", "Code 39",             "Code 128", "EAN-13",
                                         "EAN-8", "UPC-A",   "Interleaved 2 of 5", "Codabar"};
    return symbology >= 0 && symbology <= 8 ? kNames[symbology] : "";
}

void CheckWritable(std::string_view text, Language language, const std::string& path, const char* key) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) > '"') continue;  // the bytes below are the only trouble
        if (c == '\r' || c == '\n') Fail(path, key, "a line break cannot be written into a printer command");
        if (c == '\0') Fail(path, key, "a NUL character cannot be written into a printer command");
        if (c == '"' && language != Language::Kesh)
            Fail(path, key, "VORN cannot print '\"' here: it frames the data");
    }
}

void CheckObject(ObjectDesc& o, const std::string& path) {
    const bool symbol = o.kind == Kind::Barcode1D || o.kind == Kind::Pdf417 || o.kind == Kind::DataMatrix ||
                        o.kind == Kind::Aztec || (o.kind == Kind::QR && !o.manual);
    if (symbol && o.data.empty()) Fail(path, "data", "expected at least one character");
    switch (o.kind) {
        case Kind::Barcode1D:
            CheckBarcodeData(o, path);
            if (o.wide >= 0 && o.wide < o.narrow) Fail(path, "wide", "expected at least the narrow bar");
            return;
        case Kind::Pdf417:
            if (o.moduleHeight < 0) o.moduleHeight = 3 * o.module;
            if (o.rows == 1 || o.rows == 2) Fail(path, "rows", "a symbol has 3 to 90 rows (0 chooses)");
            return;
        case Kind::Aztec:
            if (o.codeType == 2 && o.layers > 4) Fail(path, "layers", "a compact symbol has 1 to 4 layers");
            return;
        case Kind::Rfid:
            if (o.text6.size() > 6) Fail(path, "text6", "expected at most 6 bytes");
            if (o.userData.size() > 10) Fail(path, "user_data", "expected at most 10 bytes");
            if (o.userHex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail(path, "user_hex", "expected hexadecimal digits");
            if (o.password.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos ||
                o.password.size() > 8)
                Fail(path, "password", "expected up to 8 hexadecimal digits");
            return;
        case Kind::Picture:
            if (o.data.empty()) Fail(path, "name", "expected a non-empty name");
            return;
        default:
            return;
    }
}

}  // namespace quillon::cli
