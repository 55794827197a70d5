// Adding a QR code to the current label. Levels, models, masks and segment
// kinds are recorded as given; the emitters report what they cannot map
// when the label is rendered.
#include "label/LabelState.h"
#include "model/IBcdQRCode.h"
#include "quillon/Label.h"

using namespace quillon;

extern "C" {

QUILLON_API void* CreateQRBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                   float xdim, QRCodeMaskEnum Mask, QRCodeManualSegments* dataManuallyEncoded,
                                   QRCodeErrorCorrectionEnum errEnum, QRCodeModelEnum modelEnum,
                                   RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    ObjectParts parts;
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Ruler* ruler = parts.Make<Ruler>(kRulerPart, scale);
    CellSquare* cell = parts.Make<CellSquare>(kCellSquarePart, xdim, ruler);
    const bool segmented = dataManuallyEncoded != nullptr && !dataManuallyEncoded->empty();
    auto* qr = segmented ? parts.Make<QRBarcode_vorn>(kObjectPart, start, dataManuallyEncoded)
                         : parts.Make<QRBarcode_vorn>(kObjectPart, start, content);
    qr->setRuler(ruler);
    qr->setCellSize(cell);
    qr->setRotation(rotation);
    if (static_cast<int>(Mask) != -1) qr->setMask(Mask);
    if (static_cast<int>(errEnum) != -1) qr->setErrorCorrection(errEnum);
    if (static_cast<int>(modelEnum) != -1) qr->setModel(modelEnum);
    qr->setPrintResolution(gpPrinterResolution.get());

    FormRow row;
    row.VornobjAztecContent = content;
    row.VornobjAztecXdim = xdim;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjQRCodeMask = static_cast<int>(Mask);
    // Read only while the row is recorded: the label copies the segments.
    row.VornobjQRCodedataManuallyEncoded = dataManuallyEncoded;
    row.VornobjQRCodeErrEnum = static_cast<int>(errEnum);
    row.VornobjQRCodeModelEnum = static_cast<int>(modelEnum);
    return RecordObject(kObjQRCode, std::move(row), std::move(parts), gpQRBarcodeType);
}

}  // extern "C"
