#ifndef QUILLON_GENERATE_COMMANDTEXT_H
#define QUILLON_GENERATE_COMMANDTEXT_H

#include <string>
#include <string_view>

#include "base/Format.h"
#include "base/TextBuffer.h"
#include "generate/KESH.h"
#include "generate/VORN.h"

// The one writer of command text. Every separator, terminator and frame
// that the builders, emitters and the form assembly write comes from here,
// taken from the languages' keyword tables; the callers only name command
// words and values. Text is appended to the caller's buffer as it comes.
namespace quillon {

// One VORN line: a command word, then its parameters joined by ",". The
// first parameter follows the word after a blank, or after `post` where the
// statement wants another character ("," for PUTPNG). End() writes the line
// terminator.
class VornCommand {
  public:
    VornCommand(TextBuffer& out, std::string_view word, char post = VORN::CmdPostChar)
        : _out(out), _post(post) {
        _out.Append(word);
    }
    // An assignment to a printer variable: FH = 8.
    static VornCommand Assignment(TextBuffer& out, std::string_view variable) {
        VornCommand line(out, variable, '\0');
        out.Append(VORN::AssignOperator);
        return line;
    }

    VornCommand& Int(long long value) {
        Separate();
        AppendInt(_out, value);
        return *this;
    }
    VornCommand& Text(std::string_view text) {
        Separate();
        _out.Append(text);
        return *this;
    }
    // `data` between two `frame` characters.
    VornCommand& Framed(std::string_view data, char frame = VORN::DataFrameChar) {
        Separate();
        _out.Append(frame);
        _out.Append(data);
        _out.Append(frame);
        return *this;
    }
    // Continue the current parameter, without a separator.
    VornCommand& More(std::string_view text) {
        _out.Append(text);
        return *this;
    }
    VornCommand& More(char c) {
        _out.Append(c);
        return *this;
    }
    VornCommand& MoreInt(long long value) {
        AppendInt(_out, value);
        return *this;
    }
    VornCommand& MoreFixed6(double value) {
        AppendFixed6(_out, value);
        return *this;
    }
    void End() { _out.Append(VORN::LineTerminator); }

  private:
    void Separate() {
        if (!_first)
            _out.Append(VORN::DelimeterParams);
        else if (_post != '\0')
            _out.Append(_post);
        _first = false;
    }

    TextBuffer& _out;
    char _post;  // before the first parameter; none for an assignment
    bool _first = true;
};

// One KESH line: a command word, each parameter after a ";", the line
// terminator from End(). With `sfcc` the word is a special-function
// command and starts with "~".
class KeshCommand {
  public:
    KeshCommand(TextBuffer& out, std::string_view word, bool sfcc = false) : _out(out) {
        if (sfcc) _out.Append(KESH::DelimeterSFCC);
        _out.Append(word);
    }
    KeshCommand& Int(long long value) {
        _out.Append(KESH::DelimeterParams);
        AppendInt(_out, value);
        return *this;
    }
    KeshCommand& Text(std::string_view text) {
        _out.Append(KESH::DelimeterParams);
        _out.Append(text);
        return *this;
    }
    // Continue the current parameter, without a separator.
    KeshCommand& More(std::string_view text) {
        _out.Append(text);
        return *this;
    }
    void End() { _out.Append(KESH::LineTerminator); }

  private:
    TextBuffer& _out;
};

// One KESH object block: the command word on a line of its own, lines of
// parameters joined by ";", and the closing "STOP" line from Stop(). A block
// made WithWordInline carries its word at the head of the first parameter
// line instead ("RFWTAG;96;2;EPC").
class KeshBlock {
  public:
    KeshBlock(TextBuffer& out, std::string_view word) : _out(out) {
        _out.Append(word);
        _out.Append(KESH::LineTerminator);
    }
    static KeshBlock WithWordInline(TextBuffer& out, std::string_view word) {
        KeshBlock block(out);
        out.Append(word);
        out.Append(KESH::DelimeterParams);
        return block;
    }

    KeshBlock& Int(long long value) {
        Separate();
        AppendInt(_out, value);
        return *this;
    }
    KeshBlock& Text(std::string_view text) {
        Separate();
        _out.Append(text);
        return *this;
    }
    KeshBlock& Framed(std::string_view data, char frame) {
        Separate();
        _out.Append(frame);
        _out.Append(data);
        _out.Append(frame);
        return *this;
    }
    // Continue the current parameter, without a separator.
    KeshBlock& More(std::string_view text) {
        _out.Append(text);
        return *this;
    }
    KeshBlock& MoreInt(long long value) {
        AppendInt(_out, value);
        return *this;
    }
    // Continue the current parameter with one more value after `delimiter`.
    KeshBlock& MoreInt(char delimiter, long long value) {
        _out.Append(delimiter);
        AppendInt(_out, value);
        return *this;
    }
    // Ends the current parameter line.
    KeshBlock& EndLine() {
        _out.Append(KESH::LineTerminator);
        _first = true;
        return *this;
    }
    // Ends the current parameter line, if one is open, and closes the block.
    void Stop() {
        if (!_first) EndLine();
        _out.Append(KESH::BlockEnd);
        _out.Append(KESH::LineTerminator);
    }

  private:
    explicit KeshBlock(TextBuffer& out) : _out(out) {}

    void Separate() {
        if (!_first) _out.Append(KESH::DelimeterParams);
        _first = false;
    }

    TextBuffer& _out;
    bool _first = true;
};

// A line break of either language; both end their lines alike.
inline void AppendLineEnd(TextBuffer& out) {
    static_assert(VORN::LineTerminator == KESH::LineTerminator);
    out.Append(VORN::LineTerminator);
}

}  // namespace quillon

#endif
