#ifndef QUILLON_MODEL_IBARCODE1D_H
#define QUILLON_MODEL_IBARCODE1D_H

#include <list>
#include <string>

#include "base/Coordinate.h"
#include "model/ModelCommon.h"
#include "quillon/Enums.h"

// One-dimensional barcodes: the symbology, the bar widths and the items
// (start, height, data) of a recorded barcode.

class IBarcodeType1D {
  public:
    virtual ~IBarcodeType1D() = default;
    virtual BarcodeTypeEnum_1D getBarcodeType() = 0;
    virtual void setBarcodeType(BarcodeTypeEnum_1D type) = 0;
};

class IBarWidths {
  public:
    virtual ~IBarWidths() = default;
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
    virtual float getNarrowBar() = 0;
    virtual void setNarrowBar(float narrowBar) = 0;
    virtual float getWideBar() = 0;
    virtual void setWideBar(float wideBar) = 0;
};

class ABarWidths : public IBarWidths {
  public:
    IRuler* getRuler() override { return ruler; }
    void setRuler(IRuler* ruler_) override { ruler = ruler_; }
    float getNarrowBar() override { return narrowBar; }
    void setNarrowBar(float narrowBar_) override { narrowBar = narrowBar_; }
    float getWideBar() override { return wideBar; }
    void setWideBar(float wideBar_) override { wideBar = wideBar_; }

  protected:
    IRuler* ruler = nullptr;
    float narrowBar = 0.0f;
    float wideBar = 0.0f;
};

// Default widths: 3 and 6.3 dots at 203 dpi, given in inches.
class BarWidths : public ABarWidths {
  public:
    BarWidths() : _Ruler(ScaleEnum::Inch) {
        narrowBar = 0.014778325f;
        wideBar = 0.031034481f;
        ruler = &_Ruler;
    }
    BarWidths(const BarWidths& other) : ABarWidths(other), _Ruler(other._Ruler) {
        if (other.ruler == &other._Ruler) ruler = &_Ruler;
    }
    BarWidths& operator=(const BarWidths&) = delete;

  private:
    Ruler _Ruler;
};

class IBarcodeItem {
  public:
    virtual ~IBarcodeItem() = default;
    virtual IPoint* getStart() = 0;
    virtual void setStart(IPoint* start) = 0;
    virtual float getHeight() = 0;
    virtual void setHeight(float height) = 0;
    virtual std::string getData() = 0;
    virtual void setData(const std::string& data) = 0;
};

class ABarcodeItem : public IBarcodeItem {
  public:
    ABarcodeItem() = default;
    ABarcodeItem(IPoint* start_, float height_, std::string data_)
        : start(start_), height(height_), data(std::move(data_)) {}

    IPoint* getStart() override { return start; }
    void setStart(IPoint* start_) override { start = start_; }
    float getHeight() override { return height; }
    void setHeight(float height_) override { height = height_; }
    std::string getData() override { return data; }
    void setData(const std::string& data_) override { data = data_; }

  protected:
    IPoint* start = nullptr;
    float height = 0.0f;
    std::string data;
};

class BarcodeItem : public ABarcodeItem {
  public:
    using ABarcodeItem::ABarcodeItem;
};

class IBarcode_1D_Properties : public IRotation, public IBarcodeType1D {
  public:
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
    virtual IBarWidths* getBarWidths() = 0;
    virtual void setBarWidths(IBarWidths* barWidths) = 0;
    virtual bool getPrintHumanReadable() = 0;
    virtual void setPrintHumanReadable(bool printHumanReadable) = 0;
};

class IBarcode1D : public IBarcode_1D_Properties {
  public:
    virtual std::list<IBarcodeItem*> getBarcodes() = 0;
    virtual void setBarcodes(const std::list<IBarcodeItem*>& barcodes) = 0;
    virtual std::string toString() = 0;
};

class ABarcode1D : public IBarcode1D {
  public:
    RotateEnum getRotation() override { return rotation; }
    void setRotation(RotateEnum rotation_) override { rotation = rotation_; }
    BarcodeTypeEnum_1D getBarcodeType() override { return barcodeType; }
    void setBarcodeType(BarcodeTypeEnum_1D type) override { barcodeType = type; }
    IRuler* getRuler() override { return ruler; }
    void setRuler(IRuler* ruler_) override { ruler = ruler_; }
    bool getPrintHumanReadable() override { return printHumanReadable; }
    void setPrintHumanReadable(bool printHumanReadable_) override {
        printHumanReadable = printHumanReadable_;
    }
    std::list<IBarcodeItem*> getBarcodes() override { return barcodes; }
    void setBarcodes(const std::list<IBarcodeItem*>& barcodes_) override { barcodes = barcodes_; }
    // The command text comes from the recorder's lists, never from the object.
    std::string toString() override { return {}; }

  protected:
    std::list<IBarcodeItem*> barcodes;
    RotateEnum rotation = RotateEnum::None;
    BarcodeTypeEnum_1D barcodeType = BarcodeTypeEnum_1D::NOT_DEFINED;
    IRuler* ruler = nullptr;
    bool printHumanReadable = false;
};

class Barcode1D_vorn : public ABarcode1D {
  public:
    Barcode1D_vorn() = default;
    Barcode1D_vorn(const Barcode1D_vorn&) = delete;
    Barcode1D_vorn& operator=(const Barcode1D_vorn&) = delete;

    // The object's own widths unless a caller set others.
    IBarWidths* getBarWidths() override { return pBarWidths ? pBarWidths : &barWidths; }
    void setBarWidths(IBarWidths* widths) override { pBarWidths = widths; }

    IPrintResolution* printResolution = nullptr;

  private:
    BarWidths barWidths;
    IBarWidths* pBarWidths = nullptr;
};

#endif
