#ifndef QUILLON_GENERATE_COMMANDTEXT_H
#define QUILLON_GENERATE_COMMANDTEXT_H

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

// The one place where command text is put together. Numbers go through
// std::to_chars, so a host that changed the C or C++ locale still gets
// "0.700000" and "-12", never "0,700000" or "-12" with grouping.
namespace quillon {

inline void AppendInt(std::string& out, long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
}

inline void AppendUnsigned(std::string& out, unsigned long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
}

// Fixed notation with six digits after the point, as printf("%f") would
// write it in the C locale.
inline void AppendFixed6(std::string& out, double value) {
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
}

inline std::string IntToString(long long value) {
    std::string s;
    AppendInt(s, value);
    return s;
}

// A command's text is gathered in a stack buffer and appended to the output
// in one piece when the command ends (or the buffer fills): one append per
// command instead of one per number and separator. A command given up
// before its end leaves nothing of its unflushed text in the output.
class CommandBuffer {
  public:
    explicit CommandBuffer(std::string& out) : _out(out) {}
    CommandBuffer(const CommandBuffer&) = delete;
    CommandBuffer& operator=(const CommandBuffer&) = delete;

    void Put(std::string_view text) {
        if (text.size() > Room()) {
            Flush();
            if (text.size() > sizeof _buf) {
                _out.append(text);
                return;
            }
        }
        std::memcpy(_pos, text.data(), text.size());
        _pos += text.size();
    }
    void Put(char c) {
        if (Room() == 0) Flush();
        *_pos++ = c;
    }
    void PutInt(long long value) {
        // 20 characters hold any long long.
        if (Room() < 20) Flush();
        _pos = std::to_chars(_pos, _buf + sizeof _buf, value).ptr;
    }
    void PutFixed6(double value) {
        Flush();
        AppendFixed6(_out, value);
    }
    void Flush() {
        _out.append(_buf, static_cast<size_t>(_pos - _buf));
        _pos = _buf;
    }

  private:
    size_t Room() const { return static_cast<size_t>(_buf + sizeof _buf - _pos); }

    std::string& _out;
    char _buf[256];
    char* _pos = _buf;
};

// One VORN command line: the command word, one blank, the parameters joined
// by ",", then "\r\n" from End(), which also writes the line to the output.
class VornCommand {
  public:
    VornCommand(std::string& out, std::string_view cmd) : _buf(out) {
        _buf.Put(cmd);
        _buf.Put(' ');
    }
    VornCommand& Int(long long value) {
        Sep();
        _buf.PutInt(value);
        return *this;
    }
    VornCommand& Text(std::string_view text) {
        Sep();
        _buf.Put(text);
        return *this;
    }
    // Continues the current parameter, without a separator.
    VornCommand& More(std::string_view text) {
        _buf.Put(text);
        return *this;
    }
    VornCommand& MoreFixed6(double value) {
        _buf.PutFixed6(value);
        return *this;
    }
    // `data` framed by `frame` on both sides.
    VornCommand& Framed(std::string_view data, char frame = '"') {
        Sep();
        _buf.Put(frame);
        _buf.Put(data);
        _buf.Put(frame);
        return *this;
    }
    void End() {
        _buf.Put("\r\n");
        _buf.Flush();
    }

  private:
    void Sep() {
        if (!_first) _buf.Put(',');
        _first = false;
    }
    CommandBuffer _buf;
    bool _first = true;
};

// One KESH block: the command word on its own line, parameter lines joined
// by ";", closed by the line "STOP" from Stop(), which also writes the block
// to the output.
class KeshBlock {
  public:
    KeshBlock(std::string& out, std::string_view cmd) : _buf(out) {
        _buf.Put(cmd);
        _buf.Put("\r\n");
    }
    KeshBlock& Int(long long value) {
        Sep();
        _buf.PutInt(value);
        return *this;
    }
    KeshBlock& Text(std::string_view text) {
        Sep();
        _buf.Put(text);
        return *this;
    }
    // Ends the current parameter line.
    KeshBlock& EndLine() {
        _buf.Put("\r\n");
        _first = true;
        return *this;
    }
    // Ends the current parameter line and closes the block.
    void Stop() {
        if (!_first) EndLine();
        _buf.Put("STOP\r\n");
        _buf.Flush();
    }

  private:
    void Sep() {
        if (!_first) _buf.Put(';');
        _first = false;
    }
    CommandBuffer _buf;
    bool _first = true;
};

}  // namespace quillon

#endif
