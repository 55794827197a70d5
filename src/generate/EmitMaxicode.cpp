// Maxicode symbols: the VORN emitter, then its KESH twin.

#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/Notice.h"
#include "generate/VORN.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

enum MaxicodeKind : int { kStructured = 0, kStructuredOpenSystem = 1, kPlain = 2 };
enum MaxicodeMode : int { kMode2 = 2, kMode3 = 3 };

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiAlnum(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whole-string match of ^(\d{5}),?(\d{4})$ : five digits, an optional comma,
// four digits. Checked by hand, so that neither the host's locale nor a
// regex engine can change what counts as a digit. On success `fields` is the
// two groups joined by a comma.
bool MatchNumericPostalCode(std::string_view code, std::string& fields) {
    if (code.size() != 9 && code.size() != 10) return false;
    const size_t second = code.size() == 10 ? 6 : 5;
    if (code.size() == 10 && code[5] != ',') return false;
    for (size_t i = 0; i < 5; ++i)
        if (!IsDigit(code[i])) return false;
    for (size_t i = second; i < code.size(); ++i)
        if (!IsDigit(code[i])) return false;
    fields.assign(code.substr(0, 5));
    fields += ',';
    fields.append(code.substr(second, 4));
    return true;
}

// Whole-string match of [a-zA-Z0-9]{6}$ : exactly six ASCII letters or digits.
bool MatchAlphanumericPostalCode(std::string_view code) {
    if (code.size() != 6) return false;
    for (char c : code)
        if (!IsAsciiAlnum(c)) return false;
    return true;
}

struct Position {
    int x;
    int y;
};

Position Place(IPrintResolution* res, IRuler* ruler, IPoint* start) {
    PrintPlane plane(ruler);
    plane.setPrinterResolution(res);
    const float dpu = plane.DotsPerUnit(ruler, res);
    return {quillon::TruncToInt(start->getX() * dpu), quillon::TruncToInt(start->getY() * dpu)};
}

}  // namespace

void VornForm::GetMaxicodeString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                 int maxicodeTyp, int mode, std::string_view postalCode,
                                 std::string_view countryCode, std::string_view serviceClass,
                                 std::string_view remainingMsg, std::string_view /*year*/,
                                 std::string_view primaryMsg, bool zipperPattern, int rotation) {
    const Position at = Place(res, ruler, start);

    // VORN has neither; the symbol is printed without them, and the notices
    // come before any check below can refuse it.
    if (zipperPattern) quillon::Notice("Parameter [ZipperPattern] is not supported.");
    if (rotation >= VORN::ClockWise && rotation <= VORN::Inverted)
        quillon::Notice("Parameter [Rotation] is not supported.");

    const bool structuredMode = mode == kMode2 || mode == kMode3;
    const bool structured = structuredMode && (maxicodeTyp == kStructured || maxicodeTyp == kPlain);
    std::string postalFields;
    if (structuredMode) {
        if (maxicodeTyp == kStructuredOpenSystem)
            throw std::runtime_error("Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.");
        if (structured) {
            const bool valid = mode == kMode2 ? MatchNumericPostalCode(postalCode, postalFields)
                                              : MatchAlphanumericPostalCode(postalCode);
            if (!valid) throw std::invalid_argument("Invalid [PostalCode] data.");
        }
    }

    quillon::VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::MAXICODE));
    cmd.Int(at.x).Int(at.y).Int(mode);
    if (structured) {
        cmd.Text(serviceClass).Text(countryCode);
        if (mode == kMode2)
            cmd.Text(postalFields);
        else
            cmd.Framed(postalCode, VORN::DataFrameChar);
    }
    std::string message(primaryMsg);
    message += remainingMsg;
    cmd.Framed(message, VORN::DataFrameChar);
    cmd.End();
}

void VornForm::GetMaxicodeString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                      int /*maxicodeTyp*/, int mode, std::string_view postalCode,
                                      std::string_view countryCode, std::string_view serviceClass,
                                      std::string_view remainingMsg, std::string_view /*year*/,
                                      std::string_view primaryMsg, bool zipperPattern, int rotation) {
    const Position at = Place(res, ruler, start);

    // KESH takes the carrier fields as the head of the data, ahead of ";".
    std::string data(serviceClass);
    data += countryCode;
    data += postalCode;
    if (!data.empty()) {
        data += ';';
        data += primaryMsg;
    } else if (!primaryMsg.empty()) {
        data.assign(primaryMsg);
        data += ';';
    }
    data += remainingMsg;

    quillon::KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::MAXICODE));
    std::string param = "M";
    quillon::AppendInt(param, mode);
    block.Text(param);
    if (zipperPattern) block.Text("Z");
    const std::string_view turn = KESH::GetRotation(rotation);
    if (!turn.empty()) block.Text(turn);
    block.Int(at.y).Int(at.x).EndLine();

    const char frame = KESH::GetPrintableDataFrameChar(data);
    std::string framed;
    framed.reserve(data.size() + 2);
    framed += frame;
    framed += data;
    framed += frame;
    block.Text(framed).Stop();
}
