#ifndef QUILLON_MODEL_IBCDQRCODE_H
#define QUILLON_MODEL_IBCDQRCODE_H

#include <string>

#include "model/ModelCommon.h"
#include "quillon/Label.h"

// A QR code as the caller asked for it: either plain data or a list of
// manually encoded segments. The object keeps its own copy of the segments;
// the caller's list may go away as soon as the adding call returns.
class AQRBarcode : public ABarcode2D, public ISquareCell {
  public:
    AQRBarcode(IPoint* start, std::string data);
    // A null or empty list leaves the object with no segments.
    AQRBarcode(IPoint* start, const QRCodeManualSegments* dataManuallyEncoded);

    ICellSquare* getCellSize() override { return pCellSize; }
    void setCellSize(ICellSquare* cellSize) override { pCellSize = cellSize; }

    const QRCodeManualSegments& getDataManuallyEncoded() const { return DataManuallyEncoded; }
    void setDataManuallyEncoded(const QRCodeManualSegments& segments) { DataManuallyEncoded = segments; }
    QRCodeMaskEnum getMask() const { return Mask; }
    void setMask(QRCodeMaskEnum mask) { Mask = mask; }
    QRCodeModelEnum getModel() const { return Model; }
    void setModel(QRCodeModelEnum model) { Model = model; }
    QRCodeErrorCorrectionEnum getErrorCorrection() const { return ErrorCorrection; }
    void setErrorCorrection(QRCodeErrorCorrectionEnum level) { ErrorCorrection = level; }
    // True when the object was built from segments rather than plain data.
    bool isManuallyEncoded() const { return !DataManuallyEncoded.empty(); }

  protected:
    QRCodeManualSegments DataManuallyEncoded;
    QRCodeMaskEnum Mask = QRCodeMaskEnum::Mask_0;
    QRCodeModelEnum Model = QRCodeModelEnum::MODEL_2;
    QRCodeErrorCorrectionEnum ErrorCorrection = QRCodeErrorCorrectionEnum::EC_15;
    ICellSquare* pCellSize = nullptr;
};

class QRBarcode_vorn : public AQRBarcode {
  public:
    using AQRBarcode::AQRBarcode;

    IPrintResolution* getPrintResolution() const { return printResolution; }
    void setPrintResolution(IPrintResolution* resolution) { printResolution = resolution; }

  private:
    IPrintResolution* printResolution = nullptr;
};

#endif
