// The adding function of QR codes.

#include <memory>

#include "label/LabelState.h"
#include "model/IBcdQRCode.h"
#include "quillon/Label.h"

extern "C" {

QUILLON_API void* CreateQRBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                   float xdim, QRCodeMaskEnum Mask, QRCodeManualSegments* dataManuallyEncoded,
                                   QRCodeErrorCorrectionEnum errEnum, QRCodeModelEnum modelEnum,
                                   RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto ruler = quillon::MakePart<Ruler>(scale);
    auto cell = quillon::MakePart<CellSquare>(xdim, ruler.get());

    // Levels, models, masks and segment kinds are recorded as given; the
    // emitters report what they cannot map when the label is rendered.
    const bool segmented = dataManuallyEncoded != nullptr && !dataManuallyEncoded->empty();
    auto qr = segmented ? quillon::MakePart<QRBarcode_vorn>(start.get(), dataManuallyEncoded)
                        : quillon::MakePart<QRBarcode_vorn>(start.get(), content);
    qr->setRuler(ruler.get());
    qr->setCellSize(cell.get());
    qr->setRotation(rotation);
    if (static_cast<int>(Mask) != -1) qr->setMask(Mask);
    if (static_cast<int>(errEnum) != -1) qr->setErrorCorrection(errEnum);
    if (static_cast<int>(modelEnum) != -1) qr->setModel(modelEnum);
    qr->setPrintResolution(gpPrinterResolution.get());

    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    row.VornObjects = qr.get();
    row.VornObjType = quillon::kObjQRCode;
    row.VornObjRuler = ruler.get();
    row.VornObjstart = start.get();
    row.VornObjCellSquare = cell.get();
    row.VornobjAztecContent = content;
    row.VornobjAztecXdim = xdim;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjQRCodeMask = static_cast<int>(Mask);
    // Read only while the row is recorded: the label copies the segments.
    row.VornobjQRCodedataManuallyEncoded = dataManuallyEncoded;
    row.VornobjQRCodeErrEnum = static_cast<int>(errEnum);
    row.VornobjQRCodeModelEnum = static_cast<int>(modelEnum);

    IRuler* const lastRuler = ruler.get();
    CellSquare* const lastCell = cell.get();
    auto* const lastObject = qr.get();

    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(qr));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    parts.cellSquare = quillon::Own(std::move(cell));
    void* const label = quillon::RecordObject(std::move(row), std::move(parts));
    // Only a recorded object becomes the last one built.
    gpRuler = lastRuler;
    gpCellSquare = lastCell;
    gpQRBarcodeType = lastObject;
    return label;
}

}  // extern "C"
