#include "generate/ShapeBuilders.h"

#include "generate/CommandText.h"

namespace VornLibEx {

void Line::AppendTo(std::string& out) const {
    quillon::VornCommand(out, Cmd).Int(SC).Int(SR).Int(EC).Int(ER).Int(_lt).End();
}

std::string Line::ToString() const {
    std::string out;
    AppendTo(out);
    return out;
}

void Box::AppendTo(std::string& out) const {
    quillon::VornCommand cmd(out, Cmd);
    cmd.Int(SC).Int(SR).Int(EC).Int(ER).Int(_lt);
    if (RD > 0) cmd.Int(RD);
    cmd.End();
}

std::string Box::ToString() const {
    std::string out;
    AppendTo(out);
    return out;
}

}  // namespace VornLibEx

namespace KeshLibEx {

void Line::AppendTo(std::string& out) {
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
    std::string out;
    AppendTo(out);
    return out;
}

void Box::AppendTo(std::string& out) const {
    quillon::KeshBlock block(out, Cmd);
    block.Int(_lt).Int(SR).Int(SC).Int(ER).Int(EC);
    if (RD > 0) block.Int(RD);
    block.Stop();
}

std::string Box::ToString() const {
    std::string out;
    AppendTo(out);
    return out;
}

}  // namespace KeshLibEx
