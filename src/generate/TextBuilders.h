#ifndef QUILLON_GENERATE_TEXTBUILDERS_H
#define QUILLON_GENERATE_TEXTBUILDERS_H

#include <string>
#include <string_view>

#include "base/TextBuffer.h"
#include "base/Vocabulary.h"

// Text command builders. A builder is a value made by the text emitter,
// rendered once and dropped; its data refers to the caller's string, which
// outlives it.

namespace VornLibEx {

// TEXT x,y,FONT$,rotation,width,height[,alignment],"data": the printer
// evaluates the position expressions, which move the given lower left
// corner to the top of the font cell ("FV" in multiplier mode, the point
// size in dots in points mode).
class Alphanumeric {
  public:
    Alphanumeric(int sr, int sc, int ve, int he, std::string_view data)
        : SR(sr), SC(sc), VE(ve), HE(he), Data(data) {}

    // The TEXT line, its terminator included.
    void AppendTo(quillon::TextBuffer& out);
    std::string ToString();

    int SR;
    int SC;
    int VE;
    int HE;
    std::string_view Data;
    bool Dark = false;
    bool Reverse = false;
    bool UsingPoints = false;
    int Rotation = VORN::None;  // VORN::Rotation, kept as int: any value renders
    int Align = VORN::_None;    // VORN::AlignEnum, likewise
    VORN::Reference_Point _referencePoint = VORN::LeftDown;
};

}  // namespace VornLibEx

namespace KeshLibEx {

// ALPHA, one parameter line [alignment;][rotation;][R;][DARK;][POINT;]
// row;column;height;width;framed data, STOP.
class Alphanumeric {
  public:
    Alphanumeric(int sr, int sc, int ve, int he, std::string_view data)
        : SR(sr), SC(sc), VE(ve), HE(he), Data(data) {}

    // The whole ALPHA block, its STOP line included.
    void AppendTo(quillon::TextBuffer& out) const;
    std::string ToString() const;

    int SR;
    int SC;
    int VE;
    int HE;
    std::string_view Data;
    bool Dark = false;
    bool Reverse = false;
    bool UsingPoints = false;
    int Rotation = KESH::None;  // KESH::Rotation, kept as int
    int Align = KESH::_None;    // KESH::AlignEnum, kept as int
};

}  // namespace KeshLibEx

#endif
