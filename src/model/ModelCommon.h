#ifndef QUILLON_MODEL_MODELCOMMON_H
#define QUILLON_MODEL_MODELCOMMON_H

#include <string>

#include "base/Coordinate.h"
#include "quillon/Enums.h"

// Interfaces shared by several kinds of the label object model. Setters that
// take a pointer store it without copying and without taking ownership: the
// adding functions' owning lists own points, rulers and cell sizes.

class IRotation {
  public:
    virtual ~IRotation() = default;
    virtual RotateEnum getRotation() = 0;
    virtual void setRotation(RotateEnum rotation) = 0;
};

class IStartPoint {
  public:
    virtual ~IStartPoint() = default;
    virtual IPoint* getStart() = 0;
    virtual void setStart(IPoint* start) = 0;
};

class IPositionRuler {
  public:
    virtual ~IPositionRuler() = default;
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
};

class ISquareCell {
  public:
    virtual ~ISquareCell() = default;
    virtual ICellSquare* getCellSize() = 0;
    virtual void setCellSize(ICellSquare* cellSize) = 0;
};

class IRectangleCell {
  public:
    virtual ~IRectangleCell() = default;
    virtual ICellRect* getCellSize() = 0;
    virtual void setCellSize(ICellRect* cellSize) = 0;
};

// Two-dimensional symbols.

class IBarcodeItem_2D {
  public:
    virtual ~IBarcodeItem_2D() = default;
    virtual IPoint* getStart() = 0;
    virtual void setStart(IPoint* start) = 0;
    virtual std::string getData() = 0;
    virtual void setData(const std::string& data) = 0;
};

class IBarcode2D : public IBarcodeItem_2D, public IPositionRuler, public IRotation {
  public:
    virtual std::string toString() = 0;
};

class ABarcode2D : public IBarcode2D {
  public:
    ABarcode2D() = default;
    ABarcode2D(IPoint* start, std::string data) : Start(start), Data(std::move(data)) {}

    IPoint* getStart() override { return Start; }
    void setStart(IPoint* start) override { Start = start; }
    std::string getData() override { return Data; }
    void setData(const std::string& data) override { Data = data; }
    IRuler* getRuler() override { return pRuler; }
    void setRuler(IRuler* ruler) override { pRuler = ruler; }
    RotateEnum getRotation() override { return Rotation; }
    void setRotation(RotateEnum rotation) override { Rotation = rotation; }
    std::string toString() override { return {}; }

  protected:
    IRuler* pRuler = nullptr;
    IPoint* Start = nullptr;
    std::string Data;
    RotateEnum Rotation = RotateEnum::None;
};

#endif
