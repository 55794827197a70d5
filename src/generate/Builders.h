#ifndef QUILLON_GENERATE_BUILDERS_H
#define QUILLON_GENERATE_BUILDERS_H

#include <string>
#include <string_view>

#include "base/Notice.h"
#include "base/TextBuffer.h"
#include "base/Vocabulary.h"

// The scale and font command builders. Each writes itself in one way,
// AppendTo, through the command-text writer; ToString returns the same text.

namespace VornLib {

// The resolution of a label, recorded as its object 0. In VORN it renders
// as a comment line; in KESH as the SCALE command.
class Scale {
  public:
    Scale(VORN::SCALE_UNITS units, int horzResolution, int vertResolution)
        : Units(units), horzResolution(horzResolution), vertResolution(vertResolution) {}

    // REM SCALE h,v
    void AppendTo(quillon::TextBuffer& out) const;
    // SCALE;DOT;h;v, or SCALE;CHAR;v;h for other units. The first KESH
    // rendering renames the command word to SCALE for good.
    void AppendTo_kesh(quillon::TextBuffer& out);
    std::string ToString() const;
    std::string ToString_kesh();

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
// fonts "1" to "8" by their FH and FV lines. VORN has no style: bold and
// italic each report a notice instead.
class Font {
  public:
    void AppendTo(quillon::TextBuffer& out, quillon::NoticeSink& notices) const;
    // Without the final line terminator; notices to standard output.
    std::string ToString() const;

    void Name(std::string_view name) { _name = name; }
    std::string_view Name() const { return _name; }
    void Bold(bool bold) { _bold = bold; }
    bool Bold() const { return _bold; }
    void Italic(bool italic) { _italic = italic; }
    bool Italic() const { return _italic; }

  private:
    std::string_view _name;  // the caller's text, which outlives the builder
    bool _bold = false;
    bool _italic = false;
};

}  // namespace VornLibEx

namespace KeshLibEx {

// KESH font selection: FONT;NAME name[;BOLD ON][;SLANT RIGHT]. A font
// without a name keeps its style in its command word, so rendering it again
// adds the style a second time.
class Font {
  public:
    void AppendTo(quillon::TextBuffer& out);
    // Without the final line terminator.
    std::string ToString();

    void Name(std::string_view name) { _name = name; }
    std::string_view Name() const { return _name; }
    void Bold(bool bold) { _bold = bold; }
    bool Bold() const { return _bold; }
    void Italic(bool italic) { _italic = italic; }
    bool Italic() const { return _italic; }

  private:
    std::string _cmd = "FONT";
    std::string_view _name;  // the caller's text, which outlives the builder
    bool _bold = false;
    bool _italic = false;
};

}  // namespace KeshLibEx

#endif
