#ifndef QUILLON_GENERATE_COMMANDTEXT_H
#define QUILLON_GENERATE_COMMANDTEXT_H

#include <charconv>
#include <string>
#include <string_view>

// The one place where command text is put together. Numbers go through
// std::to_chars, so a host that changed the C or C++ locale still gets
// "0.700000" and "-12", never "0,700000" or "-12" with grouping.
namespace quillon {

inline void AppendInt(std::string& out, long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

inline void AppendUnsigned(std::string& out, unsigned long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

// Fixed notation with six digits after the point, as printf("%f") would
// write it in the C locale.
inline void AppendFixed6(std::string& out, double value) {
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    out.append(buf, res.ptr);
}

inline std::string IntToString(long long value) {
    std::string s;
    AppendInt(s, value);
    return s;
}

// One VORN command line: the command word, one blank, the parameters joined
// by ",", then "\r\n" from End().
class VornCommand {
  public:
    VornCommand(std::string& out, std::string_view cmd) : _out(out) {
        _out.append(cmd);
        _out.push_back(' ');
    }
    VornCommand& Int(long long value) {
        Sep();
        AppendInt(_out, value);
        return *this;
    }
    VornCommand& Text(std::string_view text) {
        Sep();
        _out.append(text);
        return *this;
    }
    // `data` framed by `frame` on both sides.
    VornCommand& Framed(std::string_view data, char frame = '"') {
        Sep();
        _out.push_back(frame);
        _out.append(data);
        _out.push_back(frame);
        return *this;
    }
    void End() { _out.append("\r\n"); }

  private:
    void Sep() {
        if (!_first) _out.push_back(',');
        _first = false;
    }
    std::string& _out;
    bool _first = true;
};

// One KESH block: the command word on its own line, parameter lines joined
// by ";", closed by the line "STOP" from Stop().
class KeshBlock {
  public:
    KeshBlock(std::string& out, std::string_view cmd) : _out(out) {
        _out.append(cmd);
        _out.append("\r\n");
    }
    KeshBlock& Int(long long value) {
        Sep();
        AppendInt(_out, value);
        return *this;
    }
    KeshBlock& Text(std::string_view text) {
        Sep();
        _out.append(text);
        return *this;
    }
    // Ends the current parameter line.
    KeshBlock& EndLine() {
        _out.append("\r\n");
        _first = true;
        return *this;
    }
    // Ends the current parameter line and closes the block.
    void Stop() {
        if (!_first) EndLine();
        _out.append("STOP\r\n");
    }
    std::string& Out() { return _out; }

  private:
    void Sep() {
        if (!_first) _out.push_back(';');
        _first = false;
    }
    std::string& _out;
    bool _first = true;
};

}  // namespace quillon

#endif
