#ifndef QUILLON_GENERATE_COMMANDTEXT_H
#define QUILLON_GENERATE_COMMANDTEXT_H

#include <string>
#include <string_view>

#include "base/Format.h"
#include "generate/KESH.h"
#include "generate/VORN.h"

// The one writer of command text. Every separator, terminator and frame
// that the builders, emitters and the form assembly write comes from here,
// taken from the languages' keyword tables; the callers only name command
// words and values. Text is appended to the caller's string as it comes.
namespace quillon {

// One VORN line: a command word, then its parameters joined by ",". The
// first parameter follows the word after a blank, or after whatever `post`
// the statement wants (" = " for an assignment, "," for PUTPNG). End()
// writes the line terminator.
class VornCommand {
  public:
    VornCommand(std::string& out, std::string_view word,
                std::string_view post = std::string_view(&VORN::CmdPostChar, 1))
        : _out(out), _post(post) {
        _out.append(word);
    }
    // An assignment to a printer variable: FH = 8.
    static VornCommand Assignment(std::string& out, std::string_view variable) {
        return VornCommand(out, variable, VORN::AssignOperator);
    }

    VornCommand& Int(long long value) {
        Separate();
        AppendInt(_out, value);
        return *this;
    }
    VornCommand& Text(std::string_view text) {
        Separate();
        _out.append(text);
        return *this;
    }
    // `data` between two `frame` characters.
    VornCommand& Framed(std::string_view data, char frame = VORN::DataFrameChar) {
        Separate();
        _out.push_back(frame);
        _out.append(data);
        _out.push_back(frame);
        return *this;
    }
    // Continue the current parameter, without a separator.
    VornCommand& More(std::string_view text) {
        _out.append(text);
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
    void End() { _out.append(VORN::LineTerminator); }

  private:
    void Separate() {
        if (_first)
            _out.append(_post);
        else
            _out.push_back(VORN::DelimeterParams);
        _first = false;
    }

    std::string& _out;
    std::string_view _post;
    bool _first = true;
};

// One KESH line: a command word, each parameter after a ";", the line
// terminator from End(). With `sfcc` the word is a special-function
// command and starts with "~".
class KeshCommand {
  public:
    KeshCommand(std::string& out, std::string_view word, bool sfcc = false) : _out(out) {
        if (sfcc) _out.push_back(KESH::DelimeterSFCC);
        _out.append(word);
    }
    KeshCommand& Int(long long value) {
        _out.push_back(KESH::DelimeterParams);
        AppendInt(_out, value);
        return *this;
    }
    KeshCommand& Text(std::string_view text) {
        _out.push_back(KESH::DelimeterParams);
        _out.append(text);
        return *this;
    }
    // Continue the current parameter, without a separator.
    KeshCommand& More(std::string_view text) {
        _out.append(text);
        return *this;
    }
    void End() { _out.append(KESH::LineTerminator); }

  private:
    std::string& _out;
};

// One KESH object block: the command word on a line of its own, lines of
// parameters joined by ";", and the closing "STOP" line from Stop(). A block
// made WithWordInline carries its word at the head of the first parameter
// line instead ("RFWTAG;96;2;EPC").
class KeshBlock {
  public:
    KeshBlock(std::string& out, std::string_view word) : _out(out) {
        _out.append(word);
        _out.append(KESH::LineTerminator);
    }
    static KeshBlock WithWordInline(std::string& out, std::string_view word) {
        KeshBlock block(out);
        out.append(word);
        out.push_back(KESH::DelimeterParams);
        return block;
    }

    KeshBlock& Int(long long value) {
        Separate();
        AppendInt(_out, value);
        return *this;
    }
    KeshBlock& Text(std::string_view text) {
        Separate();
        _out.append(text);
        return *this;
    }
    KeshBlock& Framed(std::string_view data, char frame) {
        Separate();
        _out.push_back(frame);
        _out.append(data);
        _out.push_back(frame);
        return *this;
    }
    // Continue the current parameter, without a separator.
    KeshBlock& More(std::string_view text) {
        _out.append(text);
        return *this;
    }
    KeshBlock& MoreInt(long long value) {
        AppendInt(_out, value);
        return *this;
    }
    // Continue the current parameter with one more value after `delimiter`.
    KeshBlock& MoreInt(char delimiter, long long value) {
        _out.push_back(delimiter);
        AppendInt(_out, value);
        return *this;
    }
    // Ends the current parameter line.
    KeshBlock& EndLine() {
        _out.append(KESH::LineTerminator);
        _first = true;
        return *this;
    }
    // Ends the current parameter line, if one is open, and closes the block.
    void Stop() {
        if (!_first) EndLine();
        _out.append(KESH::BlockEnd);
        _out.append(KESH::LineTerminator);
    }

  private:
    explicit KeshBlock(std::string& out) : _out(out) {}

    void Separate() {
        if (!_first) _out.push_back(KESH::DelimeterParams);
        _first = false;
    }

    std::string& _out;
    bool _first = true;
};

// A line break of either language; both end their lines alike.
inline void AppendLineEnd(std::string& out) {
    static_assert(VORN::LineTerminator == KESH::LineTerminator);
    out.append(VORN::LineTerminator);
}

}  // namespace quillon

#endif
