// Adding an Aztec symbol to a label. Values are kept as given; the emitters
// clamp or reject them when the label is rendered.
#include "label/AddObjects.h"
#include "model/IBcdAztec.h"

namespace quillon {

Recorded AddAztec(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                  ScaleEnum scale, float xdim, AztecCodeTypeEnum CodeType, int iFixedErrCorrection,
                  int iLayers, RotateEnum rotation) {
    ObjectParts parts(*target.arena);
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Ruler* ruler = parts.Make<Ruler>(kRulerPart, scale);
    CellSquare* cell = parts.Make<CellSquare>(kCellSquarePart, xdim, ruler);
    auto* aztec = parts.Make<AztecBarcode_vorn>(kObjectPart, start, content);
    aztec->setRuler(ruler);
    aztec->setCellSize(cell);
    aztec->setRotation(rotation);
    // -1 means the caller gives no value: the object keeps its default.
    if (static_cast<int>(CodeType) != -1) aztec->setAztecCodeTypeEnumType(CodeType);
    if (iFixedErrCorrection != -1) aztec->setFixedErrCorrection(iFixedErrCorrection);
    if (iLayers != -1) aztec->setLayers(iLayers);
    aztec->printResolution = target.resolution;

    FormRow row;
    row.VornobjAztecContent = content;
    row.VornobjAztecCodeTyp = static_cast<int>(CodeType);
    row.VornobjAztecXdim = xdim;
    row.VornobjAztecFixedErrCorrection = iFixedErrCorrection;
    row.VornobjAztecLayers = iLayers;
    row.VornObjRotation = static_cast<int>(rotation);
    return RecordObject(target, kObjAztec, std::move(row), std::move(parts));
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreateAztecBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                      float xdim, AztecCodeTypeEnum CodeType, int iFixedErrCorrection,
                                      int iLayers, RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(quillon::AddAztec(quillon::DefaultLabel(), start_x, start_y, content, scale,
                                                  xdim, CodeType, iFixedErrCorrection, iLayers, rotation),
                                gpAztecBarcodeType);
}

}  // extern "C"
