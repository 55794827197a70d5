// Adding a QR code to a label. Levels, models, masks and segment kinds are
// recorded as given; the emitters report what they cannot map when the
// label is rendered.
#include "label/AddObjects.h"
#include "model/IBcdQRCode.h"

namespace quillon {

Recorded AddQRCode(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                   ScaleEnum scale, float xdim, QRCodeMaskEnum Mask,
                   const QRCodeManualSegments* dataManuallyEncoded, QRCodeErrorCorrectionEnum errEnum,
                   QRCodeModelEnum modelEnum, RotateEnum rotation) {
    ObjectParts parts(*target.arena);
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
    qr->setPrintResolution(target.resolution);

    FormRow row;
    row.VornobjAztecContent = content;
    row.VornobjAztecXdim = xdim;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjQRCodeMask = static_cast<int>(Mask);
    // Read only while the row is recorded: the label copies the segments.
    row.VornobjQRCodedataManuallyEncoded = dataManuallyEncoded;
    row.VornobjQRCodeErrEnum = static_cast<int>(errEnum);
    row.VornobjQRCodeModelEnum = static_cast<int>(modelEnum);
    return RecordObject(target, kObjQRCode, std::move(row), std::move(parts));
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreateQRBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                   float xdim, QRCodeMaskEnum Mask, QRCodeManualSegments* dataManuallyEncoded,
                                   QRCodeErrorCorrectionEnum errEnum, QRCodeModelEnum modelEnum,
                                   RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddQRCode(quillon::DefaultLabel(), start_x, start_y, content, scale, xdim, Mask,
                           dataManuallyEncoded, errEnum, modelEnum, rotation),
        gpQRBarcodeType);
}

}  // extern "C"
