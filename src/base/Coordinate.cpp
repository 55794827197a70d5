#include "base/Coordinate.h"

#include <stdexcept>

#include "base/Numeric.h"

PrintResolution::PrintResolution(float dotsPerUnit, ScaleEnum unit) : _dpi(300.0f), _dpmm(300.0f / 25.4f) {
    if (unit == ScaleEnum::Inch) {
        setDotsPerInch(dotsPerUnit);
    } else if (unit == ScaleEnum::MM) {
        setDotsPerMM(dotsPerUnit);
    } else {
        throw std::invalid_argument("Invalid units.");
    }
}

void PrintResolution::setDotsPerInch(float value) {
    _dpi = value;
    _dpmm = value / 25.4f;
}

void PrintResolution::setDotsPerMM(float value) {
    _dpmm = value;
    _dpi = value * 25.4f;
}

float PrintPlane::DotsPerUnit(IRuler* ruler, IPrintResolution* resolution) {
    IRuler* r = Ruler(ruler);
    IPrintResolution* res = Resolution(resolution);
    switch (r->getScale()) {
        case ScaleEnum::MM:
            return res->getDotsPerMM();
        case ScaleEnum::Inch:
            return res->getDotsPerInch();
        default:
            return 1.0f;
    }
}

float PrintPlane::DotsToPoints(float dots, IPrintResolution* resolution) {
    return dots * 72.0f / Resolution(resolution)->getDotsPerInch();
}

float PrintPlane::InchToDots(float inchValue, IPrintResolution* resolution) {
    return Resolution(resolution)->getDotsPerInch() * inchValue;
}

float PrintPlane::InchToPoints(float inchValue, IPrintResolution*) {
    return inchValue * 72.0f;
}

float PrintPlane::MmToDots(float mmValue, IPrintResolution* resolution) {
    return Resolution(resolution)->getDotsPerMM() * mmValue;
}

float PrintPlane::MmToPoints(float mmValue, IPrintResolution*) {
    return mmValue * 72.0f / 25.4f;
}

float PrintPlane::ToPoints(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) {
    return DotsToPoints(DotsPerUnit(ruler, resolution) * scaledNumber, resolution);
}

float PrintPlane::ToDots(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) {
    return scaledNumber * DotsPerUnit(ruler, resolution);
}

float PrintPlane::ToInch(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) {
    return DotsPerUnit(ruler, resolution) * scaledNumber / Resolution(resolution)->getDotsPerInch();
}

float PrintPlane::ToMM(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) {
    return DotsPerUnit(ruler, resolution) * scaledNumber / Resolution(resolution)->getDotsPerMM();
}

IPoint* PrintPlane::ToDots(IPoint*, IRuler*, IPrintResolution*) {
    return pPoint;
}

int PrintPlane::Round(float numToRound) {
    return quillon::RoundToInt(numToRound);
}
