#ifndef QUILLON_MODEL_IBCDPDF417_H
#define QUILLON_MODEL_IBCDPDF417_H

#include <string>

#include "model/ModelCommon.h"

// A PDF417 symbol as the caller asked for it. The label text is produced
// from the form recorder's lists, not from this object.
class APdf417 : public ABarcode2D, public IRectangleCell {
  public:
    APdf417(IPoint* start, std::string data) : ABarcode2D(start, std::move(data)) {}

    ICellRect* getCellSize() override { return pCellSize; }
    void setCellSize(ICellRect* cellSize) override { pCellSize = cellSize; }
    Pdf417ErrCorrectionEnum getErrorCorrection() const { return ErrorCorrection; }
    void setErrorCorrection(Pdf417ErrCorrectionEnum level) { ErrorCorrection = level; }
    int getRows() const { return Rows; }
    void setRows(int rows) { Rows = rows; }
    int getColumns() const { return Columns; }
    void setColumns(int columns) { Columns = columns; }

  protected:
    ICellRect* pCellSize = nullptr;
    Pdf417ErrCorrectionEnum ErrorCorrection = Pdf417ErrCorrectionEnum::LEVEL_2;
    int Rows = 0;
    int Columns = 0;
};

class Pdf417Barcode_vorn : public APdf417 {
  public:
    Pdf417Barcode_vorn(IPoint* start, std::string data) : APdf417(start, std::move(data)) {}

    IPrintResolution* printResolution = nullptr;
};

#endif
