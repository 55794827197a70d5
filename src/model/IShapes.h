#ifndef QUILLON_MODEL_ISHAPES_H
#define QUILLON_MODEL_ISHAPES_H

#include <string>

#include "base/Coordinate.h"

// Straight lines and boxes. toString describes the object for diagnostics;
// the command text comes from the recorder's lists.

class ILine {
  public:
    virtual ~ILine() = default;
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
    virtual IPoint* getStart() = 0;
    virtual void setStart(IPoint* start) = 0;
    virtual IPoint* getEnd() = 0;
    virtual void setEnd(IPoint* end) = 0;
    virtual float getLineThickness() = 0;
    virtual void setLineThickness(float lineThickness) = 0;
    virtual std::string toString() = 0;
};

class ALine : public ILine {
  public:
    ALine() = default;
    ALine(IPoint* start_, IPoint* end_, float lineThickness_)
        : start(start_), end(end_), lineThickness(lineThickness_) {}

    IRuler* getRuler() override { return pRuler; }
    void setRuler(IRuler* ruler) override { pRuler = ruler; }
    IPoint* getStart() override { return start; }
    void setStart(IPoint* start_) override { start = start_; }
    IPoint* getEnd() override { return end; }
    void setEnd(IPoint* end_) override { end = end_; }
    float getLineThickness() override { return lineThickness; }
    void setLineThickness(float lineThickness_) override { lineThickness = lineThickness_; }
    // "ALine. start: (x,y), end: (x,y), LT: t", numbers with six decimals.
    std::string toString() override;

  protected:
    IPoint* start = nullptr;
    IPoint* end = nullptr;
    float lineThickness = 0.0f;
    IRuler* pRuler = nullptr;
};

class Line_vorn : public ALine {
  public:
    Line_vorn(IPoint* start_, IPoint* end_, float lineThickness_) : ALine(start_, end_, lineThickness_) {}

    IPrintResolution* printResolution = nullptr;

  private:
    Point _startPoint;
    Point _endPoint;
};

class IBox {
  public:
    virtual ~IBox() = default;
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
    virtual IPoint* getStart() = 0;
    virtual void setStart(IPoint* start) = 0;
    virtual IPoint* getEnd() = 0;
    virtual void setEnd(IPoint* end) = 0;
    virtual float getLineThickness() = 0;
    virtual void setLineThickness(float lineThickness) = 0;
    virtual float getCornerRounding() = 0;
    virtual void setCornerRounding(float cornerRounding) = 0;
    virtual std::string toString() = 0;
};

class ABox : public IBox {
  public:
    ABox() = default;
    explicit ABox(float lineThickness_) : lineThickness(lineThickness_) {}

    IRuler* getRuler() override { return pRuler; }
    void setRuler(IRuler* ruler) override { pRuler = ruler; }
    IPoint* getStart() override { return start; }
    void setStart(IPoint* start_) override { start = start_; }
    IPoint* getEnd() override { return end; }
    void setEnd(IPoint* end_) override { end = end_; }
    float getLineThickness() override { return lineThickness; }
    void setLineThickness(float lineThickness_) override { lineThickness = lineThickness_; }
    float getCornerRounding() override { return CornerRounding; }
    void setCornerRounding(float cornerRounding) override { CornerRounding = cornerRounding; }
    // "ABox. start: (x,y), end: (x,y), LT: t", numbers with six decimals.
    std::string toString() override;

  protected:
    IPoint* start = nullptr;
    IPoint* end = nullptr;
    float lineThickness = 0.0f;
    float CornerRounding = 0.0f;
    IRuler* pRuler = nullptr;
};

// A box keeps its corners as values of its own; start and end refer to them.
class Box_vorn : public ABox {
  public:
    Box_vorn(float x1, float y1, float x2, float y2, float lineThickness_)
        : ABox(lineThickness_), _startPoint(x1, y1), _endPoint(x2, y2) {
        start = &_startPoint;
        end = &_endPoint;
    }
    Box_vorn(const Box_vorn&) = delete;
    Box_vorn& operator=(const Box_vorn&) = delete;

    IPrintResolution* printResolution = nullptr;

  private:
    Point _startPoint;
    Point _endPoint;
};

#endif
