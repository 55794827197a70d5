#ifndef QUILLON_BASE_COORDINATE_H
#define QUILLON_BASE_COORDINATE_H

#include "quillon/Enums.h"

// Values in the caller's unit (dots, millimetres or inches) and their
// conversion to printer dots. All arithmetic is single precision on purpose:
// the printer-side numbers the library writes are those a float computation
// produces (8 dots/mm is 203.19999 dpi, which truncates to 203).

template <typename T>
class IPair {
  public:
    virtual ~IPair() = default;
    virtual T getX() = 0;
    virtual void setX(T value) = 0;
    virtual T getY() = 0;
    virtual void setY(T value) = 0;
};

template <typename T>
class APair : public virtual IPair<T> {
  public:
    APair() : x(), y() {}
    APair(T x_, T y_) : x(x_), y(y_) {}
    T getX() override { return x; }
    void setX(T value) override { x = value; }
    T getY() override { return y; }
    void setY(T value) override { y = value; }

  protected:
    T x;
    T y;
};

class IPoint : public virtual IPair<float> {};

// A position in the caller's unit.
class Point : public APair<float>, public IPoint {
  public:
    Point() = default;
    Point(float x_, float y_) : APair<float>(x_, y_) {}
};

class IRuler {
  public:
    virtual ~IRuler() = default;
    virtual ScaleEnum getScale() = 0;
    virtual void setScale(ScaleEnum value) = 0;
};

// The unit in which an object's numbers are given.
class Ruler : public IRuler {
  public:
    explicit Ruler(ScaleEnum scale) : Scale(scale) {}
    ScaleEnum getScale() override { return Scale; }
    void setScale(ScaleEnum value) override { Scale = value; }

  private:
    ScaleEnum Scale;
};

class IPrintResolution {
  public:
    virtual ~IPrintResolution() = default;
    virtual float getDotsPerInch() = 0;
    virtual void setDotsPerInch(float value) = 0;
    virtual float getDotsPerMM() = 0;
    virtual void setDotsPerMM(float value) = 0;
};

// Dots per inch and per millimetre always describe the same resolution.
class PrintResolution : public IPrintResolution {
  public:
    // Throws std::invalid_argument("Invalid units.") unless unit is MM or Inch.
    PrintResolution(float dotsPerUnit, ScaleEnum unit);
    float getDotsPerInch() override { return _dpi; }
    void setDotsPerInch(float value) override;
    float getDotsPerMM() override { return _dpmm; }
    void setDotsPerMM(float value) override;

  private:
    float _dpi;
    float _dpmm;
};

class ICellSquare {
  public:
    virtual ~ICellSquare() = default;
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
    virtual float getXdim() = 0;
    virtual void setXdim(float xdim) = 0;
};

class ACellSquare : public virtual ICellSquare {
  public:
    ACellSquare(float xdim, IRuler* ruler) : Ruler(ruler), Xdim(xdim) {}
    IRuler* getRuler() override { return Ruler; }
    void setRuler(IRuler* ruler) override { Ruler = ruler; }
    float getXdim() override { return Xdim; }
    void setXdim(float xdim) override { Xdim = xdim; }

  protected:
    IRuler* Ruler;
    float Xdim;
};

// A square module size in the ruler's unit.
class CellSquare : public ACellSquare {
  public:
    CellSquare(float xdim, IRuler* ruler) : ACellSquare(xdim, ruler) {}
};

class ICellRect : public virtual ICellSquare {
  public:
    virtual float getYdim() = 0;
    virtual void setYdim(float ydim) = 0;
};

// A rectangular module size (width Xdim, height Ydim) in the ruler's unit.
class CellRect : public ACellSquare, public ICellRect {
  public:
    CellRect(float xdim, float ydim, IRuler* ruler) : ACellSquare(xdim, ruler), Ydim(ydim) {}
    float getYdim() override { return Ydim; }
    void setYdim(float ydim) override { Ydim = ydim; }

  private:
    float Ydim;
};

class IFontSize : public virtual IPair<float> {};

// A font size pair (x horizontal, y vertical) in the unit the text's
// FontSizeUnitsEnum selects.
class FontSize : public IFontSize, public APair<float> {
  public:
    FontSize(float x_, float y_) : APair<float>(x_, y_) {}
};

class IPrintPlane {
  public:
    virtual ~IPrintPlane() = default;
    virtual IPrintResolution* getPrinterResolution() = 0;
    virtual void setPrinterResolution(IPrintResolution* resolution) = 0;
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
    virtual float DotsPerUnit(IRuler* ruler, IPrintResolution* resolution) = 0;
    virtual float DotsToPoints(float dots, IPrintResolution* resolution) = 0;
    virtual float InchToDots(float inchValue, IPrintResolution* resolution) = 0;
    virtual float InchToPoints(float inchValue, IPrintResolution* resolution) = 0;
    virtual float MmToDots(float mmValue, IPrintResolution* resolution) = 0;
    virtual float MmToPoints(float mmValue, IPrintResolution* resolution) = 0;
    virtual float ToPoints(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) = 0;
    virtual float ToDots(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) = 0;
    virtual float ToInch(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) = 0;
    virtual float ToMM(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) = 0;
    virtual IPoint* ToDots(IPoint* scaledPosition, IRuler* ruler, IPrintResolution* resolution) = 0;
};

// Converts numbers in a ruler's unit to dots, points, inches or millimetres.
// A null ruler or resolution argument means the plane's own.
class PrintPlane : public IPrintPlane {
  public:
    PrintPlane() = default;
    explicit PrintPlane(IRuler* ruler) : pRuler(ruler) {}

    IPrintResolution* getPrinterResolution() override { return PrinterResolution; }
    void setPrinterResolution(IPrintResolution* resolution) override { PrinterResolution = resolution; }
    IRuler* getRuler() override { return pRuler; }
    void setRuler(IRuler* ruler) override { pRuler = ruler; }

    float DotsPerUnit(IRuler* ruler, IPrintResolution* resolution) override;
    float DotsToPoints(float dots, IPrintResolution* resolution) override;
    float InchToDots(float inchValue, IPrintResolution* resolution) override;
    float InchToPoints(float inchValue, IPrintResolution* resolution) override;
    float MmToDots(float mmValue, IPrintResolution* resolution) override;
    float MmToPoints(float mmValue, IPrintResolution* resolution) override;
    float ToPoints(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) override;
    float ToDots(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) override;
    float ToInch(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) override;
    float ToMM(float scaledNumber, IRuler* ruler, IPrintResolution* resolution) override;
    // Returns null and leaves the point untouched; nothing converts whole
    // points, every emitter converts coordinates one by one.
    IPoint* ToDots(IPoint* scaledPosition, IRuler* ruler, IPrintResolution* resolution) override;

    // Nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3),
    // saturating at the limits of int.
    static int Round(float numToRound);

  private:
    IRuler* Ruler(IRuler* ruler) const { return ruler ? ruler : pRuler; }
    IPrintResolution* Resolution(IPrintResolution* resolution) const {
        return resolution ? resolution : PrinterResolution;
    }

    IPrintResolution* PrinterResolution = nullptr;
    IRuler* pRuler = nullptr;
    IPoint* pPoint = nullptr;
};

#endif
