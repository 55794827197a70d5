#include "generate/TextBuilders.h"

#include "generate/CommandText.h"

using quillon::AppendInt;

namespace VornLibEx {

void Alphanumeric::AppendTo(std::string& out) {
    // A multiplier is at least 1.
    if (!UsingPoints) {
        if (HE == 0) HE = 1;
        if (VE == 0) VE = 1;
    }
    out.append("TEXT ");
    if (_referencePoint == VORN::LeftDown) {
        // Shift of the reference point from the lower to the upper edge of
        // the text: v*FV in multiplier mode, the height in points as dots
        // (0.79 of the em size is the cap height) in points mode.
        auto height = [&] {
            if (UsingPoints) {
                out.append("INT(");
                AppendInt(out, VE);
                out.append("*DPI/72*0.79)");
            } else {
                AppendInt(out, VE);
                out.append("*FV");
            }
        };
        auto shifted = [&](int base, char op) {
            out.push_back('(');
            AppendInt(out, base);
            if (UsingPoints) {
                out.push_back(op);
            } else {
                out.push_back(' ');
                out.push_back(op);
                out.push_back(' ');
            }
            height();
            out.push_back(')');
        };
        switch (Rotation) {
            case VORN::None:
                AppendInt(out, SC);
                out.push_back(',');
                shifted(SR, '-');
                out.push_back(',');
                break;
            case VORN::ClockWise:
                shifted(SC, '+');
                out.push_back(',');
                AppendInt(out, SR);
                out.push_back(',');
                break;
            case VORN::CounterClockWise:
                shifted(SC, '-');
                out.push_back(',');
                AppendInt(out, SR);
                out.push_back(',');
                break;
            case VORN::Inverted:
                AppendInt(out, SC);
                out.push_back(',');
                shifted(SR, '+');
                out.push_back(',');
                break;
            default:
                // No known direction to shift in: the printer places the text
                // at its current position.
                break;
        }
    } else {
        AppendInt(out, SC);
        out.push_back(',');
        AppendInt(out, SR);
        out.push_back(',');
    }
    out.append("FONT$,");
    out.append(VORN::GetRotation(Rotation));
    out.push_back(',');
    AppendInt(out, HE);
    out.push_back(',');
    AppendInt(out, VE);
    out.push_back(',');
    if (Align == VORN::Center || Align == VORN::Right) {
        out.append(VORN::GetAlignment(Align));
        out.push_back(',');
    }
    const char frame = VORN::GetPrintableDataFrameChar(Data);
    out.push_back(frame);
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
    out.append("ALPHA\r\n");
    if (Align == KESH::Center || Align == KESH::Right) {
        out.append(KESH::GetAlignment(Align));
        out.push_back(';');
    }
    if (Rotation != KESH::None) {
        out.append(KESH::GetRotation(Rotation));
        out.push_back(';');
    }
    if (Reverse) out.append("R;");
    if (Dark) out.append("DARK;");
    if (UsingPoints) out.append("POINT;");
    AppendInt(out, SR);
    out.push_back(';');
    AppendInt(out, SC);
    out.push_back(';');
    AppendInt(out, VE);
    out.push_back(';');
    AppendInt(out, HE);
    out.push_back(';');
    const char frame = KESH::GetPrintableDataFrameChar(Data);
    out.push_back(frame);
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
