#ifndef QUILLON_LABEL_LABELSTATE_H
#define QUILLON_LABEL_LABELSTATE_H

#include <memory>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "label/BumpArena.h"
#include "label/Coordinate.h"
#include "label/Label_vorn.h"

// Process-wide state behind the exported label functions. Used from one
// thread at a time; there is no lock.

namespace quillon {

// The memory of the objects' parts (points, rulers, the objects, copies of
// their texts). The parts of a label die together at CloseLabel, so they are
// bumped off one arena, which CloseLabel rewinds after the owning lists
// have run every part's destructor; a label costs no heap allocation per
// part and no free. It lives with the owning lists rather than in the label
// because a label replaced by a second CreateLabel leaves its parts owned
// until CloseLabel.
BumpArena& PartArena();

// Destroys a part in place; its memory goes back with the arena.
template <typename T>
struct DestroyPart {
    void operator()(T* part) const noexcept { part->T::~T(); }
};
template <typename T>
using PartPtr = std::unique_ptr<T, DestroyPart<T>>;

template <typename T, typename... Args>
PartPtr<T> MakePart(Args&&... args) {
    void* memory = PartArena().Allocate(sizeof(T), alignof(T));
    return PartPtr<T>(new (memory) T(std::forward<Args>(args)...));
}

// A copy of `text` in the part arena, alive until CloseLabel.
std::string_view CopyToParts(std::string_view text);

// An owning, type-erased pointer: the deleter remembers the part's real
// type, so every part is destroyed with its own destructor.
using OwnedPtr = std::unique_ptr<void, void (*)(void*)>;

template <typename T>
OwnedPtr Own(PartPtr<T> part) {
    return OwnedPtr(part.release(), [](void* p) { static_cast<T*>(p)->T::~T(); });
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
