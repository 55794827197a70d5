#ifndef QUILLON_MODEL_IBCDDATAMATRIX_H
#define QUILLON_MODEL_IBCDDATAMATRIX_H

#include <string>
#include <utility>

#include "model/ModelCommon.h"

// A DataMatrix symbol as the caller asked for it. Control bytes in the data
// are written as the delimiter followed by one printable character.
class ADataMatrix : public ABarcode2D, public ISquareCell {
  public:
    ADataMatrix(IPoint* start, std::string data, char ctrlCharDelimiter);

    ICellSquare* getCellSize() override { return CellSize; }
    void setCellSize(ICellSquare* cellSize) override { CellSize = cellSize; }

    bool getRectangle() const { return Rectangle; }
    void setRectangle(bool rectangle) { Rectangle = rectangle; }
    std::pair<int, int> getRowsCols() const { return RowsCols; }
    void setRowsCols(int rows, int cols) { RowsCols = {rows, cols}; }
    char getCtrlCharDelimiter() const { return CtrlCharDelimiter; }

    // The data text of one control byte: a byte of 32 or more is itself, a
    // byte below 32 is the delimiter followed by the byte plus 64 (13 gives
    // "~M" with the delimiter '~').
    static void AppendCtrlChar(std::string& out, char ctrl, char delimiter);

    // Multi-line text with each "/r/n" separator (four printable
    // characters) turned into the two control bytes: every line, the first
    // included, is preceded by CtrlChar(ctrl1) and CtrlChar(ctrl2). Empty
    // for an empty text.
    static std::string ExpandMultiLine(const std::string& multiLine, char ctrl1, char ctrl2, char delimiter);

  protected:
    char CtrlDelimKesh = 0;
    char CtrlDelimVorn = 0;
    char CtrlCharDelimiter;
    bool Rectangle = false;
    std::pair<int, int> RowsCols{0, 0};
    std::string FNC1;
    ICellSquare* CellSize = nullptr;
};

class DataMatrixBarcode_vorn : public ADataMatrix {
  public:
    DataMatrixBarcode_vorn(IPoint* start, std::string data) : ADataMatrix(start, std::move(data), '~') {}

    IPrintResolution* getPrintResolution() const { return printResolution; }
    void setPrintResolution(IPrintResolution* resolution) { printResolution = resolution; }

  private:
    IPrintResolution* printResolution = nullptr;
};

#endif
