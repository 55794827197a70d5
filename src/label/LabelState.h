#ifndef QUILLON_LABEL_LABELSTATE_H
#define QUILLON_LABEL_LABELSTATE_H

#include <memory>
#include <vector>

#include "label/Coordinate.h"
#include "label/Label_vorn.h"

// Process-wide state behind the exported label functions. Used from one
// thread at a time; there is no lock.

namespace quillon {

// An owning, type-erased pointer: the deleter remembers the object's real
// type, so every object is destroyed with its own destructor.
using OwnedPtr = std::unique_ptr<void, void (*)(void*)>;

template <typename T>
OwnedPtr Own(std::unique_ptr<T> object) {
    return OwnedPtr(object.release(), [](void* p) { delete static_cast<T*>(p); });
}
inline OwnedPtr OwnNothing() {
    return OwnedPtr(nullptr, [](void*) {});
}

using OwningList = std::vector<OwnedPtr>;

// The parts an adding function allocated for one object, one per owning
// list (null where the object has no such part).
struct ObjectParts {
    OwnedPtr object = OwnNothing();
    OwnedPtr ruler = OwnNothing();
    OwnedPtr start = OwnNothing();
    OwnedPtr end = OwnNothing();
    OwnedPtr cellSquare = OwnNothing();
    OwnedPtr cellRect = OwnNothing();
    OwnedPtr textItem = OwnNothing();
};

// Records one object on the current label: the row goes into the
// recorder and each part into its owning list, all or nothing. Returns the
// label handle. The caller checks that a label is open first.
void* RecordObject(FormRow&& row, ObjectParts&& parts);

}  // namespace quillon

extern std::unique_ptr<Label_vorn> gpLabel;
extern std::unique_ptr<PrintResolution> gpPrinterResolution;
extern int giPrintLanguageTyp;

// The seven owning lists. Entry i of each belongs to object i of the label
// (one null entry per CreateLabel stands for the scale command). A label
// replaced by a second CreateLabel leaves its entries here until CloseLabel.
extern quillon::OwningList ObjectsPtr;
extern quillon::OwningList ObjRulerPtr;
extern quillon::OwningList ObjStartPtr;
extern quillon::OwningList ObjEndPtr;
extern quillon::OwningList ObjCellSquarePtr;
extern quillon::OwningList ObjCellRectPtr;
extern quillon::OwningList ObjTextItemPtr;

// The objects most recently made by the adding functions; they own nothing.
class CellSquare;
class CellRect;
class Text_vorn;
class Line_vorn;
class Box_vorn;
class Barcode1D_vorn;
class QRBarcode_vorn;
class Pdf417Barcode_vorn;
class DataMatrixBarcode_vorn;
class AztecBarcode_vorn;
class MaxicodeBarcode_vorn;
class cRfidWrite_vorn;
extern IRuler* gpRuler;
extern CellSquare* gpCellSquare;
extern CellRect* gpCellRect;
extern Text_vorn* gpTextType;
extern Line_vorn* gpLineType;
extern Box_vorn* gpBoxType;
extern Barcode1D_vorn* gpBarcode1DType;
extern QRBarcode_vorn* gpQRBarcodeType;
extern Pdf417Barcode_vorn* gpPdf417BarcodeType;
extern DataMatrixBarcode_vorn* gpDataMatrixBarcodeType;
extern AztecBarcode_vorn* gpAztecBarcodeType;
extern MaxicodeBarcode_vorn* gpMexiCodeBarcodeType;
extern cRfidWrite_vorn* gpRfidWriteType;

#endif
