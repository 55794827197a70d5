#ifndef QUILLON_LABEL_LABELSTATE_H
#define QUILLON_LABEL_LABELSTATE_H

#include <memory>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Coordinate.h"
#include "form/BumpArena.h"
#include "label/Label_vorn.h"

// Process-wide state behind the exported label functions. Used from one
// thread at a time; there is no lock.

class TextItem;

namespace quillon {

// Goal: a label costs no heap allocation and no free per part of its
// objects (points, rulers, module sizes, the objects, copies of their
// texts). The parts of a label die together, so they are bumped off one
// arena per label, which is rewound after the owning lists have run every
// part's destructor.

// A copy of `text` in `arena`, alive until the arena is rewound.
std::string_view CopyToParts(BumpArena& arena, std::string_view text);

// An owning, type-erased pointer: the deleter remembers the part's real
// type, so every part is destroyed with its own destructor (its memory goes
// back with the arena).
using OwnedPtr = std::unique_ptr<void, void (*)(void*)>;
inline OwnedPtr OwnNothing() {
    return OwnedPtr(nullptr, [](void*) {});
}
using OwningList = std::vector<OwnedPtr>;

// The seven owning lists, in the order of ObjectParts' slots.
enum PartSlot : int {
    kObjectPart,
    kRulerPart,
    kStartPart,
    kEndPart,
    kCellSquarePart,
    kCellRectPart,
    kTextItemPart
};
inline constexpr int kPartSlots = 7;

// One label and everything it owns: where an adding step records. The
// exported functions aim it at the process-wide label, a quillon::Label at
// its own; nothing else is shared between labels.
struct LabelTarget {
    Label_vorn* label;
    IPrintResolution* resolution;
    int printLanguageTyp;
    BumpArena* arena;
    OwningList* lists[kPartSlots];  // in the order of PartSlot
};

// The parts an adding function makes for one object, one slot per owning
// list (empty where the object has no such part). They are owned here until
// RecordObject hands them to the owning lists.
class ObjectParts {
  public:
    explicit ObjectParts(BumpArena& arena) : _arena(arena) {}

    template <typename T, typename... Args>
    T* Make(PartSlot slot, Args&&... args) {
        void* memory = _arena.Allocate(sizeof(T), alignof(T));
        T* part = new (memory) T(std::forward<Args>(args)...);
        _slots[slot] = OwnedPtr(part, [](void* p) { static_cast<T*>(p)->T::~T(); });
        return part;
    }
    template <typename T>
    T* Get(PartSlot slot) const {
        return static_cast<T*>(_slots[slot].get());
    }
    OwnedPtr&& Release(PartSlot slot) { return std::move(_slots[slot]); }
    BumpArena& Arena() const { return _arena; }

  private:
    BumpArena& _arena;
    OwnedPtr _slots[kPartSlots] = {OwnNothing(), OwnNothing(), OwnNothing(), OwnNothing(),
                                   OwnNothing(), OwnNothing(), OwnNothing()};
};

// What one adding step recorded: the parts that the exported functions
// publish as the ones most recently made. `recorded` is false when the call
// added nothing (a Maxicode message kind or an RFID bank that is not kept).
struct Recorded {
    bool recorded = false;
    void* object = nullptr;
    IRuler* ruler = nullptr;
    CellSquare* cellSquare = nullptr;
    CellRect* cellRect = nullptr;
};

// The one recording step of every adding function: fills in the row's
// language, type code and part pointers, records the row on the target
// label and hands each part to its owning list, all or nothing.
Recorded RecordObject(const LabelTarget& target, int objType, FormRow&& row, ObjectParts&& parts);

// Room for one more entry in each of `lists`, so that the pushes after a
// recorded row cannot fail.
void MakeRoomInOwningLists(OwningList* const (&lists)[kPartSlots]);

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

namespace quillon {

// The process-wide label as a recording target; a label must be open.
LabelTarget DefaultLabel();

// Makes what one call recorded the parts most recently made (gpRuler,
// gpCellSquare, gpCellRect and the kind's own pointer) and returns the
// label handle. A call that recorded nothing changes none of them.
template <typename Kind>
void* PublishLast(const Recorded& made, Kind*& lastOfKind) {
    if (made.recorded) {
        if (made.ruler) gpRuler = made.ruler;
        if (made.cellSquare) gpCellSquare = made.cellSquare;
        if (made.cellRect) gpCellRect = made.cellRect;
        lastOfKind = static_cast<Kind*>(made.object);
    }
    return gpLabel.get();
}

}  // namespace quillon

#endif
