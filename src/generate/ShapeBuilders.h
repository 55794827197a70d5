#ifndef QUILLON_GENERATE_SHAPEBUILDERS_H
#define QUILLON_GENERATE_SHAPEBUILDERS_H

#include <string>

#include "base/TextBuffer.h"

// Line and box command builders; every number is in dots. Values made by
// the emitters, rendered once and dropped.

namespace VornLibEx {

// DIAGONAL sc,sr,ec,er,lt whatever the direction.
class Line {
  public:
    Line(int lt, int sr, int sc, int er, int ec) : _lt(lt), SR(sr), SC(sc), ER(er), EC(ec) {}
    int LT() const { return _lt; }
    void LT(int lt) { _lt = lt; }
    void AppendTo(quillon::TextBuffer& out) const;
    std::string ToString() const;

    const char* Cmd = "DIAGONAL";
    int _lt;
    int SR;
    int SC;
    int ER;
    int EC;
};

// BOX sc,sr,ec,er,lt[,rd]
class Box {
  public:
    Box(int lt, int sr, int sc, int er, int ec) : _lt(lt), SR(sr), SC(sc), ER(er), EC(ec) {}
    int LT() const { return _lt; }
    void LT(int lt) { _lt = lt; }
    void AppendTo(quillon::TextBuffer& out) const;
    std::string ToString() const;

    const char* Cmd = "BOX";
    int _lt;
    int SR;
    int SC;
    int ER;
    int EC;
    int RD = 0;
};

}  // namespace VornLibEx

namespace KeshLibEx {

// HORZ, DIAG or VERT by direction (chosen at rendering), one parameter
// line, STOP.
class Line {
  public:
    Line(int lt, int sr, int sc, int er, int ec) : _lt(lt), SR(sr), SC(sc), ER(er), EC(ec) {}
    int LT() const { return _lt; }
    void LT(int lt) { _lt = lt; }
    void AppendTo(quillon::TextBuffer& out);
    std::string ToString();

    const char* Cmd = "";
    const char* CmdSuffix = "STOP";
    int _lt;
    int SR;
    int SC;
    int ER;
    int EC;
};

// BOX, lt;sr;sc;er;ec[;rd], STOP.
class Box {
  public:
    Box(int lt, int sr, int sc, int er, int ec) : _lt(lt), SR(sr), SC(sc), ER(er), EC(ec) {}
    int LT() const { return _lt; }
    void LT(int lt) { _lt = lt; }
    void AppendTo(quillon::TextBuffer& out) const;
    std::string ToString() const;

    const char* Cmd = "BOX";
    const char* CmdSuffix = "STOP";
    int _lt;
    int SR;
    int SC;
    int ER;
    int EC;
    int RD = 0;
};

}  // namespace KeshLibEx

#endif
