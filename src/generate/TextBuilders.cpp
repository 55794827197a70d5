#include "generate/TextBuilders.h"

#include <charconv>

namespace {

// The numbers and keywords of one command line are gathered here and
// appended in one piece; the data is appended separately. 160 bytes hold
// the longest line: four expressions with 11-digit numbers and keywords.
class LineBuffer {
  public:
    void Put(std::string_view text) {
        for (char c : text) *_pos++ = c;
    }
    void Put(char c) { *_pos++ = c; }
    void Int(int value) { _pos = std::to_chars(_pos, _buf + sizeof _buf, value).ptr; }
    void AppendTo(std::string& out) const { out.append(_buf, static_cast<size_t>(_pos - _buf)); }

  private:
    char _buf[160];
    char* _pos = _buf;
};

}  // namespace

namespace VornLibEx {

void Alphanumeric::AppendTo(std::string& out) {
    // A multiplier is at least 1.
    if (!UsingPoints) {
        if (HE == 0) HE = 1;
        if (VE == 0) VE = 1;
    }
    LineBuffer line;
    line.Put("TEXT ");
    if (_referencePoint == VORN::LeftDown) {
        // Shift of the reference point from the lower to the upper edge of
        // the text: v*FV in multiplier mode, the height in points as dots
        // (0.79 of the em size) in points mode.
        auto shifted = [&](int base, char op) {
            line.Put('(');
            line.Int(base);
            if (UsingPoints) {
                line.Put(op);
                line.Put("INT(");
                line.Int(VE);
                line.Put("*DPI/72*0.79)");
            } else {
                line.Put(' ');
                line.Put(op);
                line.Put(' ');
                line.Int(VE);
                line.Put("*FV");
            }
            line.Put("),");
        };
        switch (Rotation) {
            case VORN::None:
                line.Int(SC);
                line.Put(',');
                shifted(SR, '-');
                break;
            case VORN::ClockWise:
                shifted(SC, '+');
                line.Int(SR);
                line.Put(',');
                break;
            case VORN::CounterClockWise:
                shifted(SC, '-');
                line.Int(SR);
                line.Put(',');
                break;
            case VORN::Inverted:
                line.Int(SC);
                line.Put(',');
                shifted(SR, '+');
                break;
            default:
                // No known direction to shift in: the printer places the text
                // at its current position.
                break;
        }
    } else {
        line.Int(SC);
        line.Put(',');
        line.Int(SR);
        line.Put(',');
    }
    line.Put("FONT$,");
    line.Put(VORN::GetRotation(Rotation));
    line.Put(',');
    line.Int(HE);
    line.Put(',');
    line.Int(VE);
    line.Put(',');
    if (Align == VORN::Center || Align == VORN::Right) {
        line.Put(VORN::GetAlignment(Align));
        line.Put(',');
    }
    const char frame = VORN::GetPrintableDataFrameChar(Data);
    line.Put(frame);
    line.AppendTo(out);
    out.append(Data);
    out.push_back(frame);
    out.append("\r\n");
}

std::string Alphanumeric::ToString() {
    std::string out;
    AppendTo(out);
    return out;
}

}  // namespace VornLibEx

namespace KeshLibEx {

void Alphanumeric::AppendTo(std::string& out) const {
    LineBuffer line;
    line.Put("ALPHA\r\n");
    if (Align == KESH::Center || Align == KESH::Right) {
        line.Put(KESH::GetAlignment(Align));
        line.Put(';');
    }
    if (Rotation != KESH::None) {
        line.Put(KESH::GetRotation(Rotation));
        line.Put(';');
    }
    if (Reverse) line.Put("R;");
    if (Dark) line.Put("DARK;");
    if (UsingPoints) line.Put("POINT;");
    line.Int(SR);
    line.Put(';');
    line.Int(SC);
    line.Put(';');
    line.Int(VE);
    line.Put(';');
    line.Int(HE);
    line.Put(';');
    // The asterisk comes first among the frame characters; most texts do
    // not contain one, which spares the full search.
    const char frame = Data.find(KESH::DataFrameChar) == std::string_view::npos
                           ? KESH::DataFrameChar
                           : KESH::GetPrintableDataFrameChar(Data);
    line.Put(frame);
    line.AppendTo(out);
    out.append(Data);
    out.push_back(frame);
    out.append("\r\nSTOP\r\n");
}

std::string Alphanumeric::ToString() const {
    std::string out;
    AppendTo(out);
    return out;
}

}  // namespace KeshLibEx
