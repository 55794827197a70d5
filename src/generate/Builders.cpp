#include "generate/Builders.h"

#include "generate/CommandText.h"

namespace {

// ToString of a builder whose lines all end in the terminator, the last one
// left open as the builders' callers expect.
std::string WithoutLastLineEnd(std::string text) {
    if (text.size() >= VORN::LineTerminator.size() &&
        std::string_view(text).substr(text.size() - VORN::LineTerminator.size()) == VORN::LineTerminator)
        text.resize(text.size() - VORN::LineTerminator.size());
    return text;
}

}  // namespace

namespace VornLib {

void Scale::AppendTo(quillon::TextBuffer& out) const {
    quillon::VornCommand(out, _cmd).Int(horzResolution).Int(vertResolution).End();
}

void Scale::AppendTo_kesh(quillon::TextBuffer& out) {
    if (_cmd == "REM SCALE") _cmd = "SCALE";
    quillon::KeshCommand line(out, _cmd);
    if (Units == VORN::DOT)
        line.Text("DOT").Int(horzResolution).Int(vertResolution);
    else
        line.Text("CHAR").Int(vertResolution).Int(horzResolution);
    line.End();
}

std::string Scale::ToString() const {
    quillon::TextBuffer out;
    AppendTo(out);
    return out.ToString();
}

std::string Scale::ToString_kesh() {
    quillon::TextBuffer out;
    AppendTo_kesh(out);
    return out.ToString();
}

}  // namespace VornLib

namespace VornLibEx {

void Font::AppendTo(quillon::TextBuffer& out, quillon::NoticeSink& notices) const {
    if (_bold) notices.Notice("Parameter [Bold] is not supported.");
    if (_italic) notices.Notice("Parameter [Italic] is not supported.");
    if (_name.empty()) return;
    quillon::VornCommand::Assignment(out, "FONT$").Framed(_name).End();
    if (!VORN::IsBuildInFont(_name)) return;
    const auto size = VORN::GetBuildInFontSize(_name);
    quillon::VornCommand::Assignment(out, "FH").Int(size.first).End();
    quillon::VornCommand::Assignment(out, "FV").Int(size.second).End();
}

std::string Font::ToString() const {
    quillon::TextBuffer out;
    AppendTo(out, quillon::StandardStreams());
    return WithoutLastLineEnd(out.ToString());
}

}  // namespace VornLibEx

namespace KeshLibEx {

void Font::AppendTo(quillon::TextBuffer& out) {
    if (_name.empty()) {
        if (_bold) _cmd.append(1, KESH::DelimeterParams).append("BOLD ON");
        if (_italic) _cmd.append(1, KESH::DelimeterParams).append("SLANT RIGHT");
        quillon::KeshCommand(out, _cmd).End();
        return;
    }
    quillon::KeshCommand line(out, "FONT");
    line.Text("NAME ").More(_name);
    if (_bold) line.Text("BOLD ON");
    if (_italic) line.Text("SLANT RIGHT");
    line.End();
}

std::string Font::ToString() {
    quillon::TextBuffer out;
    AppendTo(out);
    return WithoutLastLineEnd(out.ToString());
}

}  // namespace KeshLibEx
