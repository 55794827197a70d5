// libFuzzer target: the bytes decode into one label, a call sequence that is
// replayed through the exported label functions and through quillon::Label.
// Both must give the same text, or throw the same exception with the same
// message, and report the same notices: the lines the functions print on
// standard output and standard error against notices(). Inputs that the
// object API refuses by design (a text its language cannot frame) are
// skipped.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "quillon/Label.h"
#include "quillon/LabelObject.h"

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : _at(data), _end(data + size) {}
    bool Empty() const { return _at == _end; }
    std::uint8_t Byte() { return _at == _end ? 0 : *_at++; }
    // Small values in steps of a quarter, negatives included.
    float Number() { return static_cast<std::int8_t>(Byte()) / 4.0f; }
    // -1 ("no value") to `last` + 1 (one past the enumeration).
    int Enum(int last) { return Byte() % (last + 3) - 1; }
    std::string Text() {
        // Bytes that every framing and escaping path must handle.
        static constexpr char kAlphabet[] = "A1z \"\r\n~*;/\\_'\x1d\x1e\x04\xe9\x80";
        std::string text(Byte() % 12, ' ');
        for (char& c : text) {
            const std::uint8_t b = Byte();
            c = b < 128 ? kAlphabet[b % (sizeof kAlphabet)] : static_cast<char>(b);  // NUL included
        }
        return text;
    }

  private:
    const std::uint8_t* _at;
    const std::uint8_t* _end;
};

// One decoded call: `plain` through the exported functions, `object` through
// quillon::Label.
struct Call {
    std::function<void()> plain;
    std::function<void(quillon::Label&)> object;
};

std::optional<int> Given(int value) {
    return value == -1 ? std::nullopt : std::optional<int>(value);
}
template <typename E>
std::optional<E> GivenEnum(int value) {
    return value == -1 ? std::nullopt : std::optional<E>(static_cast<E>(value));
}

Call Decode(Bytes& in, ScaleEnum labelUnit) {
    const float x = in.Number(), y = in.Number(), a = in.Number(), b = in.Number(), c = in.Number();
    const auto scale = static_cast<ScaleEnum>(in.Byte() % 3);
    // The label's own unit stands in when the object names none.
    const std::optional<quillon::Unit> unit =
        scale == labelUnit && in.Byte() % 2 ? std::nullopt : std::optional(static_cast<quillon::Unit>(scale));
    const auto rotation = static_cast<RotateEnum>(in.Enum(3));
    const std::string data = in.Text(), more = in.Text();
    switch (in.Byte() % 11) {
        case 0: {
            const int sizeUnit = in.Enum(2), style = in.Enum(3), align = in.Enum(3);
            return {[=] {
                        CreateTexts(x, y, a, b, data, scale, static_cast<FontSizeUnitsEnum>(sizeUnit),
                                    static_cast<FontStyleEnum>(style), static_cast<AlignEnum>(align), more,
                                    rotation);
                    },
                    [=](quillon::Label& l) {
                        quillon::TextOptions t;
                        t.x = x, t.y = y, t.data = data, t.fontSizeX = a, t.fontSizeY = b;
                        t.fontSizeUnit = static_cast<FontSizeUnitsEnum>(sizeUnit);
                        t.fontStyle = static_cast<FontStyleEnum>(style);
                        t.alignment = static_cast<AlignEnum>(align);
                        t.fontName = more, t.rotation = rotation, t.unit = unit;
                        l.text(t);
                    }};
        }
        case 1:
            return {[=] { CreateLines(x, y, a, b, c, scale); },
                    [=](quillon::Label& l) {
                        l.line({x, y, a, b, c, unit});
                    }};
        case 2:
            return {[=] { CreateBoxs(x, y, a, b, c, scale); },
                    [=](quillon::Label& l) {
                        l.box({x, y, a, b, c, unit});
                    }};
        case 3: {
            const int type = in.Enum(8);
            const bool human = in.Byte() % 2, above = in.Byte() % 2;
            const auto t = static_cast<BarcodeTypeEnum_1D>(type);
            return {[=] { CreateBarcode1D(x, y, data, scale, a, b, c, t, human, rotation, above); },
                    [=](quillon::Label& l) {
                        l.barcode1D({x, y, data, a, b, c, t, human, rotation, above, unit});
                    }};
        }
        case 4: {
            const int px = static_cast<std::int8_t>(in.Byte()), py = in.Byte();
            return {[=] { Picture(px, py, data); }, [=](quillon::Label& l) { l.picture({px, py, data}); }};
        }
        case 5: {
            const int mask = in.Enum(8), level = in.Enum(3), model = in.Enum(1);
            QRCodeManualSegments segments;
            for (int n = in.Byte() % 3; n > 0; --n)
                segments.emplace_back(static_cast<QRCodeManualEncodingEnum>(in.Enum(3)), in.Text());
            return {[=] {
                        auto copy = segments;
                        CreateQRBarcodes(x, y, data, scale, a, static_cast<QRCodeMaskEnum>(mask),
                                         segments.empty() ? nullptr : &copy,
                                         static_cast<QRCodeErrorCorrectionEnum>(level),
                                         static_cast<QRCodeModelEnum>(model), rotation);
                    },
                    [=](quillon::Label& l) {
                        l.qr({x, y, data, a, GivenEnum<QRCodeMaskEnum>(mask), segments,
                              GivenEnum<QRCodeErrorCorrectionEnum>(level), GivenEnum<QRCodeModelEnum>(model),
                              rotation, unit});
                    }};
        }
        case 6: {
            const int level = in.Enum(8), rows = in.Enum(40), cols = in.Enum(40);
            return {[=] {
                        CreatePdf417Bcodes(x, y, data, scale, a, b,
                                           static_cast<Pdf417ErrCorrectionEnum>(level), rows, cols, rotation);
                    },
                    [=](quillon::Label& l) {
                        l.pdf417({x, y, data, a, b, GivenEnum<Pdf417ErrCorrectionEnum>(level), Given(rows),
                                  Given(cols), rotation, unit});
                    }};
        }
        case 7: {
            const bool rect = in.Byte() % 2;
            const char c1 = static_cast<char>(in.Byte()), c2 = static_cast<char>(in.Byte());
            const int rows = in.Enum(30), cols = in.Enum(30);
            return {[=] {
                        CreateDataMatrixBarcodes(x, y, data, scale, a, rotation, rect, more, c1, c2, rows,
                                                 cols);
                    },
                    [=](quillon::Label& l) {
                        l.dataMatrix(
                            {x, y, data, a, rotation, rect, more, c1, c2, Given(rows), Given(cols), unit});
                    }};
        }
        case 8: {
            const int type = in.Enum(4), level = in.Enum(99), layers = in.Enum(34);
            return {[=] {
                        CreateAztecBarcodes(x, y, data, scale, a, static_cast<AztecCodeTypeEnum>(type), level,
                                            layers, rotation);
                    },
                    [=](quillon::Label& l) {
                        l.aztec({x, y, data, a, GivenEnum<AztecCodeTypeEnum>(type), Given(level),
                                 Given(layers), rotation, unit});
                    }};
        }
        case 9: {
            const int kind = in.Enum(2), mode = in.Enum(5);
            const bool zipper = in.Byte() % 2;
            const std::string postal = in.Text(), year = in.Text();
            return {[=] {
                        CreateMaxicodeBarcodes(kind, static_cast<MaxicodeModeEnum>(mode), postal, "840",
                                               "001", more, year, data, x, y, scale, zipper, rotation);
                    },
                    [=](quillon::Label& l) {
                        l.maxicode({x, y, static_cast<MaxicodeModeEnum>(mode), postal, "840", "001", year,
                                    data, more, zipper, rotation, kind, unit});
                    }};
        }
        default: {
            const auto bank = static_cast<RfidMemBlockEnum>(in.Enum(7));
            const auto password = static_cast<RfidPasswordTypeEnum>(in.Enum(4));
            const unsigned f32 = in.Byte() * 0x01010101u, f16 = in.Byte();
            const int offset = in.Enum(10);
            return {[=] { CreateRfidEncode(f32, f16, data, bank, offset, more, "0A0B", password, "PW"); },
                    [=](quillon::Label& l) {
                        l.rfid({bank, f32, data, f16, offset, more, "0A0B", password, "PW"});
                    }};
        }
    }
}

// What one rendering gave: the text, or the exception's type and message,
// and the notices in order, warnings marked.
struct Outcome {
    std::string text;
    std::vector<std::string> notices;
    bool operator==(const Outcome& o) const { return text == o.text && notices == o.notices; }
};

std::string Thrown(const std::exception& e) {
    return std::string("threw ") + typeid(e).name() + ": " + e.what();
}

ssize_t Keep(void* lines, const char* data, std::size_t size) {
    static_cast<std::string*>(lines)->append(data, size);
    return static_cast<ssize_t>(size);
}

// The lines the label functions print while `render` runs.
void CatchLines(const std::function<void()>& render, std::vector<std::string>& lines) {
    std::string out, err;
    const cookie_io_functions_t io{nullptr, &Keep, nullptr, nullptr};
    std::FILE* savedOut = stdout;
    std::FILE* savedErr = stderr;
    stdout = fopencookie(&out, "w", io);
    stderr = fopencookie(&err, "w", io);
    if (!stdout || !stderr) __builtin_trap();
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    render();
    std::fclose(stdout);
    std::fclose(stderr);
    stdout = savedOut;
    stderr = savedErr;
    // Notices and warnings come from different streams; only their own
    // order can be compared.
    for (const auto& [stream, prefix] : {std::pair{&out, ""}, std::pair{&err, "warning: "}})
        for (std::size_t at = 0, end; (end = stream->find('\n', at)) != std::string::npos; at = end + 1)
            lines.push_back(prefix + stream->substr(at, end - at));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const int selector = in.Byte() % 4 - 1;  // -1, 0 and 2 select VORN, 1 KESH
    const auto unit = static_cast<ScaleEnum>(in.Byte() % 3);
    const float dotsPerUnit = 4 + in.Byte() % 200;
    const std::string name = in.Text();
    std::vector<Call> calls;
    while (!in.Empty() && calls.size() < 16) calls.push_back(Decode(in, unit));

    Outcome object;
    try {
        quillon::Label label(selector == 1 ? quillon::Language::Kesh : quillon::Language::Vorn, dotsPerUnit,
                             static_cast<quillon::Unit>(unit), name);
        for (const Call& call : calls) call.object(label);
        try {
            object.text = label.render();
        } catch (const std::exception& e) {
            object.text = Thrown(e);
        }
        // One list holds both; the label functions print notices and
        // warnings on two streams, so each kind keeps only its own order.
        std::vector<std::string> warnings;
        for (const quillon::LabelNotice& n : label.notices()) {
            if (n.object >= calls.size()) __builtin_trap();
            (n.warning ? warnings : object.notices).push_back(n.warning ? "warning: " + n.text : n.text);
        }
        object.notices.insert(object.notices.end(), warnings.begin(), warnings.end());
    } catch (const std::invalid_argument& e) {
        if (std::string(e.what()).find(" cannot frame ") != std::string::npos) return 0;  // refused by design
        object.text = Thrown(e);
    }

    Outcome plain;
    try {
        CreateLabel(selector, name, dotsPerUnit, unit);
        for (const Call& call : calls) call.plain();
        CatchLines(
            [&] {
                try {
                    LabelToString(plain.text);
                } catch (const std::exception& e) {
                    plain.text = Thrown(e);
                }
            },
            plain.notices);
    } catch (const std::exception& e) {
        plain.text = Thrown(e);
    }
    CloseLabel();

    if (!(plain == object)) __builtin_trap();
    return 0;
}
