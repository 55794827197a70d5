#include "generate/Builders.h"

#include "generate/CommandText.h"
#include "generate/Notice.h"

using quillon::AppendInt;

namespace VornLib {

std::string Scale::ToString() const {
    std::string out;
    AppendTo(out);
    return out;
}

std::string Scale::ToString_kesh() {
    std::string out;
    AppendTo_kesh(out);
    return out;
}

void Scale::AppendTo(std::string& out) const {
    quillon::VornCommand(out, _cmd).Int(horzResolution).Int(vertResolution).End();
}

void Scale::AppendTo_kesh(std::string& out) {
    if (_cmd == "REM SCALE") _cmd = "SCALE";
    quillon::CommandBuffer line(out);
    line.Put(_cmd);
    if (Units == VORN::DOT) {
        line.Put(";DOT;");
        line.PutInt(horzResolution);
        line.Put(';');
        line.PutInt(vertResolution);
    } else {
        line.Put(";CHAR;");
        line.PutInt(vertResolution);
        line.Put(';');
        line.PutInt(horzResolution);
    }
    line.Put("\r\n");
    line.Flush();
}

}  // namespace VornLib

namespace {

// A language VORN parameter the printer cannot express is reported on
// standard output, one line each, and rendering goes on.
void NotSupported(std::string_view parameter) {
    std::string line = "Parameter [";
    line += parameter;
    line += "] is not supported.";
    quillon::Notice(line);
}

}  // namespace

namespace VornLibEx {

std::string Font::ToString() {
    if (!_name.empty()) {
        _cmd = "FONT$ = \"";
        _cmd += _name;
        _cmd += '"';
        if (VORN::IsBuildInFont(_name)) {
            auto size = VORN::GetBuildInFontSize(_name);
            _cmd += "\r\nFH = ";
            AppendInt(_cmd, size.first);
            _cmd += "\r\nFV = ";
            AppendInt(_cmd, size.second);
        }
    }
    if (_bold) NotSupported("Bold");
    if (_italic) NotSupported("Italic");
    return _cmd;
}

void Font::AppendSelection(quillon::CommandBuffer& line, std::string_view name) {
    line.Put("FONT$ = \"");
    line.Put(name);
    line.Put('"');
    if (VORN::IsBuildInFont(name)) {
        auto size = VORN::GetBuildInFontSize(name);
        line.Put("\r\nFH = ");
        line.PutInt(size.first);
        line.Put("\r\nFV = ");
        line.PutInt(size.second);
    }
}

void Font::AppendTo(std::string& out) {
    if (_name.empty() || VORN::IsBuildInFont(_name)) {
        out += ToString();
        return;
    }
    out += "FONT$ = \"";
    out += _name;
    out += '"';
    if (_bold) NotSupported("Bold");
    if (_italic) NotSupported("Italic");
}

}  // namespace VornLibEx

namespace KeshLibEx {

std::string Font::ToString() {
    if (!_name.empty()) {
        _cmd = "FONT;NAME ";
        _cmd += _name;
    }
    if (_bold) _cmd += ";BOLD ON";
    if (_italic) _cmd += ";SLANT RIGHT";
    return _cmd;
}

void Font::AppendSelection(quillon::CommandBuffer& line, std::string_view name, bool bold, bool italic) {
    line.Put("FONT;NAME ");
    line.Put(name);
    if (bold) line.Put(";BOLD ON");
    if (italic) line.Put(";SLANT RIGHT");
}

void Font::AppendTo(std::string& out) {
    if (_name.empty()) {
        out += ToString();
        return;
    }
    out += "FONT;NAME ";
    out += _name;
    if (_bold) out += ";BOLD ON";
    if (_italic) out += ";SLANT RIGHT";
}

}  // namespace KeshLibEx
