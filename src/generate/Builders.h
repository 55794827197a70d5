#ifndef QUILLON_GENERATE_BUILDERS_H
#define QUILLON_GENERATE_BUILDERS_H

#include <string>
#include <string_view>

#include "generate/CommandText.h"
#include "generate/VORN.h"

// Command builders. Each holds a command word and renders itself to text;
// the object builders of the emitters are values made and dropped within one
// emitter call, the scale command lives as long as its label.

namespace VornLib {

// The resolution of a label, recorded as its object 0. In VORN it renders
// as a comment line; in KESH as the SCALE command.
class Scale {
  public:
    Scale(VORN::SCALE_UNITS units, int horzResolution, int vertResolution)
        : Units(units), horzResolution(horzResolution), vertResolution(vertResolution) {}

    // "REM SCALE h,v\r\n"
    std::string ToString() const;
    // "SCALE;DOT;h;v\r\n", or "SCALE;CHAR;v;h\r\n" for other units. The
    // first KESH rendering renames the command word to SCALE for good.
    std::string ToString_kesh();
    // Append what ToString and ToString_kesh return, without the
    // intermediate string (which is too long to stay off the heap).
    void AppendTo(std::string& out) const;
    void AppendTo_kesh(std::string& out);

    const std::string& Cmd() const { return _cmd; }

  private:
    std::string _cmd = "REM SCALE";
    VORN::SCALE_UNITS Units;
    int horzResolution;
    int vertResolution;
};

}  // namespace VornLib

namespace VornLibEx {

// The recorded scale object renders itself; both namespaces share the class.
using Scale = VornLib::Scale;

// VORN font selection: FONT$ = "name", followed for the printer-resident
// fonts "1" to "8" by their FH and FV size lines. No final line terminator.
class Font {
  public:
    std::string ToString();
    // Appends what ToString returns, without the intermediate string.
    void AppendTo(std::string& out);
    // What a font named `name` (not empty), neither bold nor italic,
    // appends: the text emitter writes it without making a Font.
    static void AppendSelection(quillon::CommandBuffer& line, std::string_view name);
    void Name(const std::string& name) { _name = name; }
    const std::string& Name() const { return _name; }
    void Bold(bool bold) { _bold = bold; }
    bool Bold() const { return _bold; }
    void Italic(bool italic) { _italic = italic; }
    bool Italic() const { return _italic; }

  private:
    std::string _cmd;
    std::string _name;
    bool _bold = false;
    bool _italic = false;
};

}  // namespace VornLibEx

namespace KeshLibEx {

// KESH font selection: FONT;NAME name[;BOLD ON][;SLANT RIGHT], no final line
// terminator. The style suffixes are appended to the command word, so a
// second rendering of an unnamed font appends them again.
class Font {
  public:
    std::string ToString();
    // Appends what ToString returns, without the intermediate string.
    void AppendTo(std::string& out);
    // What a font named `name` (not empty) with this style appends: the
    // text emitter writes it without making a Font.
    static void AppendSelection(quillon::CommandBuffer& line, std::string_view name, bool bold, bool italic);
    void Name(const std::string& name) { _name = name; }
    const std::string& Name() const { return _name; }
    void Bold(bool bold) { _bold = bold; }
    bool Bold() const { return _bold; }
    void Italic(bool italic) { _italic = italic; }
    bool Italic() const { return _italic; }

  private:
    std::string _cmd = "FONT";
    std::string _name;
    bool _bold = false;
    bool _italic = false;
};

}  // namespace KeshLibEx

#endif
