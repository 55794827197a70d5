#ifndef QUILLON_MODEL_IBCDAZTEC_H
#define QUILLON_MODEL_IBCDAZTEC_H

#include <string>

#include "model/ModelCommon.h"

namespace quillon {

// The error-correction share an Aztec symbol may ask for: 1 to 99 percent.
int AztecErrCorrectionPercent(int fixedErrCorrection);
// The layer count an Aztec symbol may ask for: at least 1, at most 4 for a
// compact symbol (code type 2) and 32 for any other.
int AztecLayersWithinRange(int layers, int codeType);

}  // namespace quillon

// An Aztec symbol as the caller described it. The command text is made from
// the form's lists, not from this object.
class AAztecBarcode : public ABarcode2D, public ISquareCell {
  public:
    AAztecBarcode(IPoint* start, std::string data) : ABarcode2D(start, std::move(data)) {}

    ICellSquare* getCellSize() override { return CellSize; }
    void setCellSize(ICellSquare* cellSize) override { CellSize = cellSize; }

    AztecCodeTypeEnum getAztecCodeTypeEnumType() const { return Type; }
    void setAztecCodeTypeEnumType(AztecCodeTypeEnum type) { Type = type; }
    int getFixedErrCorrection() const { return FixedErrCorrection; }
    void setFixedErrCorrection(int percent) { FixedErrCorrection = percent; }
    int getLayers() const { return Layers; }
    void setLayers(int layers) { Layers = layers; }

    // This symbol's percentage and layer count, clamped as the printer
    // accepts them.
    int GetErrCorrectionPercent() const { return quillon::AztecErrCorrectionPercent(FixedErrCorrection); }
    int GetLayersWithinRange() const {
        return quillon::AztecLayersWithinRange(Layers, static_cast<int>(Type));
    }

  protected:
    ICellSquare* CellSize = nullptr;
    float m_xdim = 0.015f;
    AztecCodeTypeEnum Type = AztecCodeTypeEnum::Default;
    int FixedErrCorrection = 23;
    int Layers = 1;
};

class AztecBarcode_vorn : public AAztecBarcode {
  public:
    using AAztecBarcode::AAztecBarcode;

    IPrintResolution* printResolution = nullptr;
};

#endif
