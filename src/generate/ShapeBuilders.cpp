#include "generate/ShapeBuilders.h"

#include "generate/CommandText.h"

namespace VornLibEx {

void Line::AppendTo(quillon::TextBuffer& out) const {
    quillon::VornCommand(out, Cmd).Int(SC).Int(SR).Int(EC).Int(ER).Int(_lt).End();
}

std::string Line::ToString() const {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

void Box::AppendTo(quillon::TextBuffer& out) const {
    quillon::VornCommand cmd(out, Cmd);
    cmd.Int(SC).Int(SR).Int(EC).Int(ER).Int(_lt);
    if (RD > 0) cmd.Int(RD);
    cmd.End();
}

std::string Box::ToString() const {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

}  // namespace VornLibEx

namespace KeshLibEx {

void Line::AppendTo(quillon::TextBuffer& out) {
    if (SR == ER) {
        Cmd = "HORZ";
        quillon::KeshBlock(out, Cmd).Int(_lt).Int(SR).Int(SC).Int(EC).Stop();
    } else if (SC != EC) {
        Cmd = "DIAG";
        quillon::KeshBlock(out, Cmd).Int(_lt).Int(SR).Int(SC).Int(ER).Int(EC).Stop();
    } else {
        Cmd = "VERT";
        quillon::KeshBlock(out, Cmd).Int(_lt).Int(SC).Int(SR).Int(ER).Stop();
    }
}

std::string Line::ToString() {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

void Box::AppendTo(quillon::TextBuffer& out) const {
    quillon::KeshBlock block(out, Cmd);
    block.Int(_lt).Int(SR).Int(SC).Int(ER).Int(EC);
    if (RD > 0) block.Int(RD);
    block.Stop();
}

std::string Box::ToString() const {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

}  // namespace KeshLibEx
