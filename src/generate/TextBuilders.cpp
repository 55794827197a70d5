#include "generate/TextBuilders.h"

#include "generate/CommandText.h"

namespace VornLibEx {

void Alphanumeric::AppendTo(quillon::TextBuffer& out) {
    // A multiplier is at least 1.
    if (!UsingPoints) {
        if (HE == 0) HE = 1;
        if (VE == 0) VE = 1;
    }
    quillon::VornCommand cmd(out, "TEXT");
    // The reference point moves from the lower to the upper edge of the text:
    // by v*FV in multiplier mode, by the height in points as dots (0.79 of
    // the em size) in points mode.
    auto shifted = [&](int base, char op) {
        cmd.Text("(").MoreInt(base);
        if (UsingPoints)
            cmd.More(op).More("INT(").MoreInt(VE).More("*DPI/72*0.79)");
        else
            cmd.More(' ').More(op).More(' ').MoreInt(VE).More("*FV");
        cmd.More(")");
    };
    if (_referencePoint != VORN::LeftDown) {
        cmd.Int(SC).Int(SR);
    } else {
        switch (Rotation) {
            case VORN::None:
                cmd.Int(SC);
                shifted(SR, '-');
                break;
            case VORN::ClockWise:
                shifted(SC, '+');
                cmd.Int(SR);
                break;
            case VORN::CounterClockWise:
                shifted(SC, '-');
                cmd.Int(SR);
                break;
            case VORN::Inverted:
                cmd.Int(SC);
                shifted(SR, '+');
                break;
            default:
                // No known direction to shift in: the printer places the text
                // at its current position.
                break;
        }
    }
    cmd.Text("FONT$").Text(VORN::GetRotation(Rotation)).Int(HE).Int(VE);
    if (Align == VORN::Center || Align == VORN::Right) cmd.Text(VORN::GetAlignment(Align));
    cmd.Framed(Data, VORN::GetPrintableDataFrameChar(Data)).End();
}

std::string Alphanumeric::ToString() {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

}  // namespace VornLibEx

namespace KeshLibEx {

void Alphanumeric::AppendTo(quillon::TextBuffer& out) const {
    quillon::KeshBlock block(out, "ALPHA");
    if (Align == KESH::Center || Align == KESH::Right) block.Text(KESH::GetAlignment(Align));
    if (Rotation != KESH::None) block.Text(KESH::GetRotation(Rotation));
    if (Reverse) block.Text("R");
    if (Dark) block.Text("DARK");
    if (UsingPoints) block.Text("POINT");
    block.Int(SR).Int(SC).Int(VE).Int(HE).Framed(Data, KESH::GetPrintableDataFrameChar(Data)).Stop();
}

std::string Alphanumeric::ToString() const {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

}  // namespace KeshLibEx
