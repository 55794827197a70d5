// Maxicode symbols: the VORN emitter, then its KESH twin.
#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/Emitters.h"

namespace quillon {

namespace {

enum MaxicodeKind : int { kStructured = 0, kStructuredOpenSystem = 1, kPlain = 2 };
enum MaxicodeMode : int { kMode2 = 2, kMode3 = 3 };

bool IsDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whole-string match of ^(\d{5}),?(\d{4})$ : five digits, an optional comma,
// four digits. Checked by hand, so that neither the host's locale nor a
// regex engine can change what counts as a digit. On success the two groups
// are `first` and `second`.
bool MatchNumericPostalCode(std::string_view code, std::string_view& first, std::string_view& second) {
    if (code.size() != 9 && code.size() != 10) return false;
    if (code.size() == 10 && code[5] != ',') return false;
    first = code.substr(0, 5);
    second = code.substr(code.size() - 4);
    return IsDigits(first) && IsDigits(second);
}

// Whole-string match of [a-zA-Z0-9]{6}$ : exactly six ASCII letters or digits.
bool MatchAlphanumericPostalCode(std::string_view code) {
    if (code.size() != 6) return false;
    for (char c : code)
        if (!IsAsciiAlnum(c)) return false;
    return true;
}

}  // namespace

void EmitMaxicode(TextBuffer& out, NoticeSink& notices, const Dots& dots, const MaxicodeArgs& a) {
    // VORN has neither; the symbol is printed without them, and the notices
    // come before any check below can refuse it.
    if (a.zipperPattern) notices.Notice("Parameter [ZipperPattern] is not supported.");
    if (a.rotation >= VORN::ClockWise && a.rotation <= VORN::Inverted)
        notices.Notice("Parameter [Rotation] is not supported.");

    const bool structuredMode = a.mode == kMode2 || a.mode == kMode3;
    const bool structured = structuredMode && (a.maxicodeTyp == kStructured || a.maxicodeTyp == kPlain);
    std::string_view postalFirst, postalSecond;
    if (structuredMode) {
        if (a.maxicodeTyp == kStructuredOpenSystem)
            throw std::runtime_error("Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.");
        if (structured) {
            const bool valid = a.mode == kMode2
                                   ? MatchNumericPostalCode(a.postalCode, postalFirst, postalSecond)
                                   : MatchAlphanumericPostalCode(a.postalCode);
            if (!valid) throw std::invalid_argument("Invalid [PostalCode] data.");
        }
    }

    const Anchor at = AnchorOf(dots, a.x, a.y);
    VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::MAXICODE));
    cmd.Int(at.x).Int(at.y).Int(a.mode);
    if (structured) {
        cmd.Text(a.serviceClass).Text(a.countryCode);
        if (a.mode == kMode2)
            cmd.Text(postalFirst).Text(postalSecond);
        else
            cmd.Framed(a.postalCode);
    }
    std::string message(a.primaryMsg);
    message += a.remainingMsg;
    cmd.Framed(message).End();
}

void EmitMaxicode_kesh(TextBuffer& out, NoticeSink&, const Dots& dots, const MaxicodeArgs& a) {
    // KESH takes the carrier fields as the head of the data, ahead of ";".
    std::string data(a.serviceClass);
    data += a.countryCode;
    data += a.postalCode;
    if (!data.empty()) {
        data += KESH::DelimeterParams;
        data += a.primaryMsg;
    } else if (!a.primaryMsg.empty()) {
        data.assign(a.primaryMsg);
        data += KESH::DelimeterParams;
    }
    data += a.remainingMsg;

    const Anchor at = AnchorOf(dots, a.x, a.y);
    KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::MAXICODE)).Text("M").MoreInt(a.mode);
    if (a.zipperPattern) block.Text("Z");
    const std::string_view turn = KESH::GetRotation(a.rotation);
    if (!turn.empty()) block.Text(turn);
    block.Int(at.y).Int(at.x).EndLine();
    block.Framed(data, KESH::GetPrintableDataFrameChar(data)).Stop();
}

}  // namespace quillon
