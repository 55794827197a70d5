#ifndef QUILLON_PDF417_PDF417ENCODER_H
#define QUILLON_PDF417_PDF417ENCODER_H

#include <string>
#include <vector>

#include "pdf417/Pdf417EncoderTables.h"

// Compacts data into PDF417 codewords, picks the error-correction level and
// sizes the symbol (data rows and columns). The printer draws the symbol
// itself; the library only needs the sizing, so no error-correction
// codewords and no bar matrix are ever computed.
class Pdf417Encoder : public Pdf417EncoderTables {
  public:
    enum EncodingMode { Byte = 0, Text = 1, Numeric = 2 };
    enum TextEncodingMode { Upper = 0, Lower = 1, Mixed = 2, Punct = 3, ShiftUpper = 4, ShiftPunct = 5 };
    enum EncodingControl { Auto = 0, ByteOnly = 1, TextAndByte = 2 };
    enum ErrorCorrectionLevel {
        Level_0 = 0,
        Level_1 = 1,
        Level_2 = 2,
        Level_3 = 3,
        Level_4 = 4,
        Level_5 = 5,
        Level_6 = 6,
        Level_7 = 7,
        Level_8 = 8,
        AutoLow = 9,
        AutoNormal = 10,
        AutoMedium = 11,
        AutoHigh = 12,
        Level_Ex = 13,
        Level_Exx = 14,
    };

    static constexpr int SwitchToTextMode = 900;
    static constexpr int SwitchToByteMode = 901;
    static constexpr int SwitchToNumericMode = 902;
    static constexpr int ShiftToByteMode = 913;
    static constexpr int SwitchToByteModeForSix = 924;
    // Global label identifiers; declared for completeness, never written.
    static constexpr int GlobalLabelIDGeneralPurpose = 925;
    static constexpr int GlobalLabelIDUserDefined = 926;
    static constexpr int GlobalLabelIDCharacterSet = 927;

    static constexpr int DataRowsMin = 3;
    static constexpr int DataRowsMax = 90;
    static constexpr int DataColumnsMin = 1;
    static constexpr int DataColumnsMax = 30;
    static constexpr int ModulesInCodeword = 17;

    Pdf417Encoder();

    // Option setters; each throws std::invalid_argument and keeps the old
    // value when the request is out of range.
    void SetEncodingControl(EncodingControl value);
    void ErrorCorrection(ErrorCorrectionLevel value);
    void NarrowBarWidth(int value);
    int NarrowBarWidth() const { return _BarWidthPix; }
    void RowHeight(int value);
    int RowHeight() const { return _RowHeightPix; }
    void QuietZone(int value);
    int QuietZone() const { return _QuietZonePix; }
    void DefaultDataColumns(int value);
    int DefaultDataColumns() const { return _DefaultDataColumns; }

    // Text input: the UTF-8 bytes of the text. Text that is not valid UTF-8
    // throws the converter's std::range_error.
    void Encode(const std::string& StringData);
    // Byte input, encoded as it is.
    void Encode(const std::vector<unsigned char>& BinaryData);
    void Encode(const unsigned char* data, size_t length);

    // Re-size an encoded symbol; false (and nothing changed) when the request
    // or the count it implies is out of range.
    bool SetDataColumns(int dataColumns);
    bool SetDataRows(int dataRows);
    // The column count that gives the encoded data a roughly 1:2 aspect.
    int aspect_1to2_column() const;
    int TotalLength() const { return static_cast<int>(DataCodewords.size()) + ErrorCorrectionLength; }
    int ErrorCorrectionLevelInForce() const { return _ErrorCorrectionLevel; }

    // Decodes `input` from UTF-8 and encodes it again; `charset` does not
    // change the result.
    static std::string EncodingConversion(const std::string& input, const std::string& charset);

    int DataRows = 0;
    int DataColumns = 0;
    int BarColumns = 0;
    int ImageWidth = 0;
    int ImageHeight = 0;
    std::vector<std::vector<bool>> Pdf417BarcodeMatrix;
    std::string BarcodeStringData;
    int BarcodeDataLength = 0;
    int BarcodeDataPos = 0;
    std::vector<int> DataCodewords;
    int ErrorCorrectionLength = 0;

  protected:
    void DataEncoding();
    void SetErrorCorrectionLevel();
    void SetDataRowsAndColumns(int rows, int columns);
    void UpdateImageSize();

    int CountDigits() const;
    int CountText() const;
    int CountBytes() const;
    int CountPunctuation(int CurrentTextCount) const;

    void EncodeNumericSegment(int count);
    void EncodeTextSegment(int count);
    void EncodeByteSegment(int count);

    EncodingMode _EncodingMode = Text;
    TextEncodingMode _TextEncodingMode = Upper;
    ErrorCorrectionLevel _ErrorCorrectionLevel = Level_2;
    EncodingControl _EncodingControl = Auto;
    ErrorCorrectionLevel _ErrorCorrection = AutoNormal;
    int _BarWidthPix = 2;
    int _RowHeightPix = 6;
    int _QuietZonePix = 4;
    int _DefaultDataColumns = 3;
    std::string _GlobalLabelIDCharacterSet;
    int _GlobalLabelIDCharacterSetNo = -1;
    int _GlobalLabelIDUserDefined = -1;
    int _GlobalLabelIDGeneralPurpose = -1;
    std::vector<unsigned char> BarcodeBinaryData;
    // The control that DataCodewords were compacted under from
    // BarcodeBinaryData; -1 when they do not belong to it.
    int _CompactedControl = -1;
};

#endif
