#include "generate/TextBuilders.h"

#include "generate/CommandText.h"

namespace VornLibEx {

void Alphanumeric::AppendTo(std::string& out) {
    quillon::CommandBuffer line(out);
    AppendTo(line);
    line.Flush();
}

void Alphanumeric::AppendTo(quillon::CommandBuffer& line) {
    // A multiplier is at least 1.
    if (!UsingPoints) {
        if (HE == 0) HE = 1;
        if (VE == 0) VE = 1;
    }
    line.Put("TEXT ");
    if (_referencePoint == VORN::LeftDown) {
        // Shift of the reference point from the lower to the upper edge of
        // the text: v*FV in multiplier mode, the height in points as dots
        // (0.79 of the em size) in points mode.
        auto shifted = [&](int base, char op) {
            line.Put('(');
            line.PutInt(base);
            if (UsingPoints) {
                line.Put(op);
                line.Put("INT(");
                line.PutInt(VE);
                line.Put("*DPI/72*0.79)");
            } else {
                line.Put(' ');
                line.Put(op);
                line.Put(' ');
                line.PutInt(VE);
                line.Put("*FV");
            }
            line.Put("),");
        };
        switch (Rotation) {
            case VORN::None:
                line.PutInt(SC);
                line.Put(',');
                shifted(SR, '-');
                break;
            case VORN::ClockWise:
                shifted(SC, '+');
                line.PutInt(SR);
                line.Put(',');
                break;
            case VORN::CounterClockWise:
                shifted(SC, '-');
                line.PutInt(SR);
                line.Put(',');
                break;
            case VORN::Inverted:
                line.PutInt(SC);
                line.Put(',');
                shifted(SR, '+');
                break;
            default:
                // No known direction to shift in: the printer places the text
                // at its current position.
                break;
        }
    } else {
        line.PutInt(SC);
        line.Put(',');
        line.PutInt(SR);
        line.Put(',');
    }
    line.Put("FONT$,");
    line.Put(VORN::GetRotation(Rotation));
    line.Put(',');
    line.PutInt(HE);
    line.Put(',');
    line.PutInt(VE);
    line.Put(',');
    if (Align == VORN::Center || Align == VORN::Right) {
        line.Put(VORN::GetAlignment(Align));
        line.Put(',');
    }
    const char frame = VORN::GetPrintableDataFrameChar(Data);
    line.Put(frame);
    line.Put(Data);
    line.Put(frame);
    line.Put("\r\n");
}

std::string Alphanumeric::ToString() {
    std::string out;
    AppendTo(out);
    return out;
}

}  // namespace VornLibEx

namespace KeshLibEx {

void Alphanumeric::AppendTo(std::string& out) const {
    quillon::CommandBuffer line(out);
    AppendTo(line);
    line.Flush();
}

void Alphanumeric::AppendTo(quillon::CommandBuffer& line) const {
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
    line.PutInt(SR);
    line.Put(';');
    line.PutInt(SC);
    line.Put(';');
    line.PutInt(VE);
    line.Put(';');
    line.PutInt(HE);
    line.Put(';');
    // The asterisk comes first among the frame characters; most texts do
    // not contain one, which spares the full search.
    const char frame = Data.find(KESH::DataFrameChar) == std::string_view::npos
                           ? KESH::DataFrameChar
                           : KESH::GetPrintableDataFrameChar(Data);
    line.Put(frame);
    line.Put(Data);
    line.Put(frame);
    line.Put("\r\nSTOP\r\n");
}

std::string Alphanumeric::ToString() const {
    std::string out;
    AppendTo(out);
    return out;
}

}  // namespace KeshLibEx
