#include "model/IShapes.h"

#include "base/Format.h"

namespace {

std::string Describe(const char* kind, IPoint* start, IPoint* end, float lineThickness) {
    std::string out = kind;
    auto pair = [&out](IPoint* p) {
        out += '(';
        quillon::AppendFixed6(out, p ? p->getX() : 0.0f);
        out += ',';
        quillon::AppendFixed6(out, p ? p->getY() : 0.0f);
        out += ')';
    };
    out += ". start: ";
    pair(start);
    out += ", end: ";
    pair(end);
    out += ", LT: ";
    quillon::AppendFixed6(out, lineThickness);
    return out;
}

}  // namespace

std::string ALine::toString() {
    return Describe("ALine", start, end, lineThickness);
}

std::string ABox::toString() {
    return Describe("ABox", start, end, lineThickness);
}
