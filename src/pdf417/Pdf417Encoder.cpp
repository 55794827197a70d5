#include "pdf417/Pdf417Encoder.h"

#include <algorithm>
#include <codecvt>
#include <locale>
#include <stdexcept>

namespace {

using BigInt = Pdf417EncoderTables::BigInt900;

// Characters that text compaction can hold: tab, line feed, carriage return
// and printable ASCII.
constexpr std::array<bool, 256> MakeTextSet() {
    std::array<bool, 256> set{};
    set[9] = set[10] = set[13] = true;
    for (int c = 32; c <= 126; ++c) set[c] = true;
    return set;
}
constexpr std::array<bool, 256> kIsText = MakeTextSet();

inline bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// A run of this many digits is worth a numeric segment of its own.
constexpr int kNumericRunMin = 13;
// A byte segment ends where this many text characters follow each other.
constexpr int kTextRunMin = 5;
// Digits per numeric group: "1" and 44 digits need 15 codewords.
constexpr int kNumericGroup = 44;
// No input this long fits: every compaction needs at least one codeword
// for three bytes, and a symbol holds at most 90 x 30 codewords.
constexpr size_t kSurelyTooLong = size_t{1} << 20;

void MulAdd(BigInt& value, std::uint32_t mul, std::uint32_t add) {
    std::uint64_t carry = add;
    for (auto& limb : value.limb) {
        std::uint64_t v = std::uint64_t{limb} * mul + carry;
        limb = static_cast<std::uint32_t>(v);
        carry = v >> 32;
    }
}

// Divides in place and returns the remainder.
std::uint32_t DivMod(BigInt& value, std::uint32_t div) {
    std::uint64_t rem = 0;
    for (size_t k = value.limb.size(); k-- > 0;) {
        std::uint64_t cur = (rem << 32) | value.limb[k];
        value.limb[k] = static_cast<std::uint32_t>(cur / div);
        rem = cur % div;
    }
    return static_cast<std::uint32_t>(rem);
}

bool Less(const BigInt& a, const BigInt& b) {
    for (size_t k = a.limb.size(); k-- > 0;)
        if (a.limb[k] != b.limb[k]) return a.limb[k] < b.limb[k];
    return false;
}

constexpr std::uint32_t kPow10[10] = {1,      10,      100,      1000,      10000,
                                      100000, 1000000, 10000000, 100000000, 1000000000};

// Column counts 1 to 19 that give a total of at most this many codewords
// a symbol about twice as high as wide.
constexpr int kAspect1to2[] = {3,   11,  26,  45,  71,  102, 139, 181, 230, 283,
                               343, 408, 479, 555, 638, 725, 819, 918, 925};

}  // namespace

Pdf417Encoder::Pdf417Encoder() {
    UpdateImageSize();
}

void Pdf417Encoder::SetEncodingControl(EncodingControl value) {
    if (value < Auto || value > TextAndByte)
        throw std::invalid_argument(
            "PDF417 Encoding control must be Auto, ByteOnly, or TextAndByte. Default is Auto.");
    _EncodingControl = value;
}

void Pdf417Encoder::ErrorCorrection(ErrorCorrectionLevel value) {
    if (value < Level_0 || value > AutoHigh)
        throw std::invalid_argument("PDF417 Error correction request is invalid. Default is Auto normal.");
    _ErrorCorrection = value;
}

void Pdf417Encoder::NarrowBarWidth(int value) {
    if (value < 1 || value > 100)
        throw std::invalid_argument("PDF417 Narrow bar width must be one or more. Default is two.");
    _BarWidthPix = value;
    _RowHeightPix = std::max(_RowHeightPix, 3 * value);
    _QuietZonePix = std::max(_QuietZonePix, 2 * value);
    UpdateImageSize();
}

void Pdf417Encoder::RowHeight(int value) {
    if (value < 3 * _BarWidthPix || value > 300)
        throw std::invalid_argument(
            "PDF417 Row height must be at least 3 times the narrow bar width. Default is six.");
    _RowHeightPix = value;
    UpdateImageSize();
}

void Pdf417Encoder::QuietZone(int value) {
    if (value < 2 * _BarWidthPix || value > 200)
        throw std::invalid_argument(
            "PDF417 Quiet zone must be at least 2 times the narrow bar width. Default is four.");
    _QuietZonePix = value;
    UpdateImageSize();
}

void Pdf417Encoder::DefaultDataColumns(int value) {
    if (value < DataColumnsMin || value > DataColumnsMax)
        throw std::invalid_argument("PDF417 Default data columns must be 1 to 30. Default is three.");
    _DefaultDataColumns = value;
}

// The standard converters are deprecated but still the reference for what
// counts as valid UTF-8 here: invalid text must fail with their range error.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

std::string Pdf417Encoder::EncodingConversion(const std::string& input, const std::string&) {
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> utf16;
    return utf16.to_bytes(utf16.from_bytes(input));
}

void Pdf417Encoder::Encode(const std::string& StringData) {
    if (StringData.empty()) throw std::invalid_argument("PDF417 Input barcode data string is null or empty.");
    BarcodeStringData = StringData;
    const std::string charset =
        _GlobalLabelIDCharacterSet.empty() ? std::string("ISO-8859-1") : _GlobalLabelIDCharacterSet;
    // ASCII is its own UTF-8 form: the converters would hand it back as it is.
    if (std::all_of(StringData.begin(), StringData.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        Encode(reinterpret_cast<const unsigned char*>(StringData.data()), StringData.size());
        return;
    }
    std::string bytes;
    if (charset == "UTF-8") {
        bytes = EncodingConversion(StringData, charset);
    } else {
        std::wstring_convert<std::codecvt_utf8<wchar_t>, wchar_t> wide;
        bytes = EncodingConversion(wide.to_bytes(wide.from_bytes(StringData)), charset);
    }
    Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

#pragma GCC diagnostic pop

void Pdf417Encoder::Encode(const std::vector<unsigned char>& BinaryData) {
    Encode(BinaryData.data(), BinaryData.size());
}

void Pdf417Encoder::Encode(const unsigned char* data, size_t length) {
    Pdf417BarcodeMatrix.clear();
    DataRows = 0;
    DataColumns = 0;
    UpdateImageSize();
    if (data == nullptr || length == 0)
        throw std::invalid_argument("PDF417 Input binary barcode data is null or empty");
    if (length >= kSurelyTooLong) throw std::runtime_error("PDF417 barcode data overflow");
    // Automatic sizing encodes the same data twice; the codewords depend only
    // on the bytes and the control, so the second pass can keep them.
    const bool same = _CompactedControl == _EncodingControl && BarcodeBinaryData.size() == length &&
                      std::equal(data, data + length, BarcodeBinaryData.begin());
    if (!same) {
        _CompactedControl = -1;
        BarcodeBinaryData.assign(data, data + length);
        DataEncoding();
        _CompactedControl = _EncodingControl;
    }
    SetErrorCorrectionLevel();

    const int total = TotalLength();
    int columns = _DefaultDataColumns;
    int rows = (total + columns - 1) / columns;
    if (rows > DataRowsMax) {
        rows = DataRowsMax;
        columns = (total + DataRowsMax - 1) / DataRowsMax;
        if (columns > DataColumnsMax) throw std::runtime_error("PDF417 barcode data overflow");
    }
    SetDataRowsAndColumns(rows, columns);
}

bool Pdf417Encoder::SetDataColumns(int dataColumns) {
    if (dataColumns < DataColumnsMin || dataColumns > DataColumnsMax) return false;
    const int rows = (TotalLength() + dataColumns - 1) / dataColumns;
    if (rows < DataRowsMin || rows > DataRowsMax) return false;
    SetDataRowsAndColumns(rows, dataColumns);
    return true;
}

bool Pdf417Encoder::SetDataRows(int dataRows) {
    if (dataRows < DataRowsMin || dataRows > DataRowsMax) return false;
    const int columns = (TotalLength() + dataRows - 1) / dataRows;
    if (columns < DataColumnsMin || columns > DataColumnsMax) return false;
    SetDataRowsAndColumns(dataRows, columns);
    return true;
}

int Pdf417Encoder::aspect_1to2_column() const {
    const int total = TotalLength();
    for (int i = 0; i < static_cast<int>(std::size(kAspect1to2)); ++i)
        if (kAspect1to2[i] >= total) return i + 1;
    return 1;
}

void Pdf417Encoder::SetDataRowsAndColumns(int rows, int columns) {
    if (rows == DataRows && columns == DataColumns) return;
    DataRows = rows;
    DataColumns = columns;
    Pdf417BarcodeMatrix.clear();
    UpdateImageSize();
}

void Pdf417Encoder::UpdateImageSize() {
    BarColumns = (DataColumns + 4) * ModulesInCodeword + 1;
    ImageWidth = _BarWidthPix * BarColumns + 2 * _QuietZonePix;
    ImageHeight = _RowHeightPix * DataRows + 2 * _QuietZonePix;
}

void Pdf417Encoder::SetErrorCorrectionLevel() {
    const int n = static_cast<int>(DataCodewords.size());
    const int byCount = n <= 40 ? 2 : n <= 160 ? 3 : n <= 320 ? 4 : n <= 863 ? 5 : 6;
    int level = byCount;
    switch (_ErrorCorrection) {
        case AutoLow:
            level = std::max(0, byCount - 1);
            break;
        case AutoMedium:
            level = std::min(8, byCount + 1);
            break;
        case AutoHigh:
            level = std::min(8, byCount + 2);
            break;
        default:
            if (_ErrorCorrection >= Level_0 && _ErrorCorrection <= Level_8) level = _ErrorCorrection;
            break;
    }
    _ErrorCorrectionLevel = static_cast<ErrorCorrectionLevel>(level);
    ErrorCorrectionLength = 1 << (level + 1);
}

void Pdf417Encoder::DataEncoding() {
    DataCodewords.clear();
    DataCodewords.reserve(BarcodeBinaryData.size() + 8);
    DataCodewords.push_back(0);  // length descriptor: counted, never filled in
    BarcodeDataPos = 0;
    BarcodeDataLength = static_cast<int>(BarcodeBinaryData.size());
    // The symbol starts in text compaction, upper-case sub-mode, whatever
    // the control: a lone byte then needs only the one-byte shift.
    _EncodingMode = Text;
    _TextEncodingMode = Upper;

    if (_EncodingControl == ByteOnly) {
        EncodeByteSegment(BarcodeDataLength);
        return;
    }
    while (BarcodeDataPos < BarcodeDataLength) {
        if (_EncodingControl == Auto) {
            const int digits = CountDigits();
            if (digits >= kNumericRunMin) {
                EncodeNumericSegment(digits);
                continue;
            }
        }
        const int text = CountText();
        if (text < kTextRunMin)
            EncodeByteSegment(CountBytes());
        else
            EncodeTextSegment(text);
    }
}

int Pdf417Encoder::CountDigits() const {
    const unsigned char* p = BarcodeBinaryData.data();
    int i = BarcodeDataPos;
    while (i < BarcodeDataLength && IsDigit(p[i])) ++i;
    return i - BarcodeDataPos;
}

int Pdf417Encoder::CountText() const {
    const unsigned char* p = BarcodeBinaryData.data();
    int digits = 0;
    int i = BarcodeDataPos;
    for (; i < BarcodeDataLength && kIsText[p[i]]; ++i) {
        if (!IsDigit(p[i])) {
            digits = 0;
        } else if (++digits == kNumericRunMin) {
            return i - (kNumericRunMin - 1) - BarcodeDataPos;
        }
    }
    return i - BarcodeDataPos;
}

int Pdf417Encoder::CountBytes() const {
    const unsigned char* p = BarcodeBinaryData.data();
    int run = 0;
    for (int i = BarcodeDataPos; i < BarcodeDataLength; ++i) {
        if (!kIsText[p[i]]) {
            run = 0;
        } else if (++run == kTextRunMin) {
            return std::max(1, i - (kTextRunMin - 1) - BarcodeDataPos);
        }
    }
    return BarcodeDataLength - BarcodeDataPos;
}

int Pdf417Encoder::CountPunctuation(int CurrentTextCount) const {
    if (CurrentTextCount < 3) return 0;
    const unsigned char* p = BarcodeBinaryData.data() + BarcodeDataPos;
    for (int i = 0; i < 3; ++i)
        if (p[i] > 127 || TextToPunct[p[i]] == kNotInSubMode) return 0;
    return 3;
}

void Pdf417Encoder::EncodeNumericSegment(int count) {
    DataCodewords.push_back(SwitchToNumericMode);
    _EncodingMode = Numeric;
    const unsigned char* p = BarcodeBinaryData.data() + BarcodeDataPos;
    BarcodeDataPos += count;
    while (count > 0) {
        const int group = std::min(count, kNumericGroup);
        // "1" followed by the group's digits, so that leading zeros survive.
        BigInt value{};
        value.limb[0] = 1;
        for (int done = 0; done < group;) {
            const int chunk = std::min(9, group - done);
            std::uint32_t v = 0;
            for (int k = 0; k < chunk; ++k) v = v * 10 + (p[done + k] - '0');
            MulAdd(value, kPow10[chunk], v);
            done += chunk;
        }
        int digits900 = 1;
        while (digits900 < static_cast<int>(FactBigInt900.size()) && !Less(value, FactBigInt900[digits900]))
            ++digits900;
        const size_t end = DataCodewords.size() + digits900;
        DataCodewords.resize(end);
        for (int k = 1; k <= digits900; ++k) DataCodewords[end - k] = static_cast<int>(DivMod(value, 900));
        p += group;
        count -= group;
    }
}

void Pdf417Encoder::EncodeTextSegment(int count) {
    if (_EncodingMode != Text) {
        DataCodewords.push_back(SwitchToTextMode);
        _EncodingMode = Text;
        _TextEncodingMode = Upper;
    }
    int pending = -1;
    auto put = [&](int value) {
        if (pending < 0) {
            pending = value;
        } else {
            DataCodewords.push_back(pending * 30 + value);
            pending = -1;
        }
    };
    const unsigned char* p = BarcodeBinaryData.data();
    TextEncodingMode sub = _TextEncodingMode;
    for (int left = count; left > 0;) {
        const unsigned char c = p[BarcodeDataPos++];
        --left;
        std::uint8_t v;
        if (sub == Punct) {
            if ((v = TextToPunct[c]) != kNotInSubMode) {
                put(v);
                continue;
            }
            put(29);
            sub = Upper;
        }
        switch (sub) {
            case Upper:
                if ((v = TextToUpper[c]) != kNotInSubMode) {
                    put(v);
                } else if ((v = TextToLower[c]) != kNotInSubMode) {
                    put(27), put(v), sub = Lower;
                } else if ((v = TextToMixed[c]) != kNotInSubMode) {
                    put(28), put(v), sub = Mixed;
                } else if ((v = TextToPunct[c]) != kNotInSubMode) {
                    if (CountPunctuation(left) == 3)
                        put(28), put(25), put(v), sub = Punct;
                    else
                        put(29), put(v);
                } else {
                    throw std::runtime_error("Program error: Text upper submode.");
                }
                break;
            case Lower:
                if ((v = TextToLower[c]) != kNotInSubMode) {
                    put(v);
                } else if ((v = TextToUpper[c]) != kNotInSubMode) {
                    put(27), put(v);
                } else if ((v = TextToMixed[c]) != kNotInSubMode) {
                    put(28), put(v), sub = Mixed;
                } else if ((v = TextToPunct[c]) != kNotInSubMode) {
                    if (CountPunctuation(left) == 3)
                        put(28), put(25), put(v), sub = Punct;
                    else
                        put(29), put(v);
                } else {
                    throw std::runtime_error("Program error: Text lower submode.");
                }
                break;
            default:  // Mixed
                if ((v = TextToMixed[c]) != kNotInSubMode) {
                    put(v);
                } else if ((v = TextToLower[c]) != kNotInSubMode) {
                    put(27), put(v), sub = Lower;
                } else if ((v = TextToUpper[c]) != kNotInSubMode) {
                    put(28), put(v), sub = Upper;
                } else if ((v = TextToPunct[c]) != kNotInSubMode) {
                    if (CountPunctuation(left) == 3)
                        put(25), put(v), sub = Punct;
                    else
                        put(29), put(v);
                } else {
                    throw std::runtime_error("Program error: Text mixed submode.");
                }
                break;
        }
    }
    if (pending >= 0) {
        put(29);
        // In the punctuation sub-mode the filler value 29 is the latch back to
        // upper case, and a reader follows it: so must the next text segment.
        if (sub == Punct) sub = Upper;
    }
    _TextEncodingMode = sub;
}

void Pdf417Encoder::EncodeByteSegment(int count) {
    const unsigned char* p = BarcodeBinaryData.data() + BarcodeDataPos;
    BarcodeDataPos += count;
    if (count == 1 && _EncodingMode == Text) {
        DataCodewords.push_back(ShiftToByteMode);
        DataCodewords.push_back(p[0]);
        return;
    }
    DataCodewords.push_back(count % 6 == 0 ? SwitchToByteModeForSix : SwitchToByteMode);
    _EncodingMode = Byte;
    for (; count >= 6; count -= 6, p += 6) {
        std::int64_t v = 0;
        for (int k = 0; k < 6; ++k) v = (v << 8) | p[k];
        for (int k = 4; k >= 1; --k) {
            DataCodewords.push_back(static_cast<int>(v / Fact900[k]));
            v %= Fact900[k];
        }
        DataCodewords.push_back(static_cast<int>(v));
    }
    for (; count > 0; --count) DataCodewords.push_back(*p++);
}
