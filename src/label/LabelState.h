#ifndef QUILLON_LABEL_LABELSTATE_H
#define QUILLON_LABEL_LABELSTATE_H

#include <algorithm>
#include <cstddef>
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

// One part and the way to destroy it: its real type is remembered, so every
// part is destroyed with its own destructor (its memory goes back with the
// arena). Plain data, so that recording a row's parts is seven plain stores.
struct OwnedPart {
    void* part = nullptr;
    void (*destroy)(void*) = nullptr;
};

// A list that owns its parts: clearing it or destroying it destroys each.
// Its own storage rather than a vector, so that appending where room was
// made is a store and an increment.
class OwningList {
  public:
    OwningList() = default;
    OwningList(const OwningList&) = delete;
    OwningList& operator=(const OwningList&) = delete;
    ~OwningList() { clear(); }

    void push_back(const OwnedPart& entry) {
        if (_end == _cap) reserve(size() * 2 + 16);
        AppendUnchecked(entry);
    }
    // Appends to a list with room for one more; the caller made sure of it.
    void AppendUnchecked(const OwnedPart& entry) noexcept { *_end++ = entry; }
    void clear() noexcept {
        for (const OwnedPart* e = _storage.get(); e != _end; ++e)
            if (e->part) e->destroy(e->part);
        _end = _storage.get();
    }
    void reserve(std::size_t count) {
        if (count <= capacity()) return;
        auto grown = std::make_unique<OwnedPart[]>(count);
        const std::size_t used = size();
        std::copy(_storage.get(), _end, grown.get());
        _storage = std::move(grown);
        _end = _storage.get() + used;
        _cap = _storage.get() + count;
    }
    std::size_t size() const { return static_cast<std::size_t>(_end - _storage.get()); }
    std::size_t capacity() const { return static_cast<std::size_t>(_cap - _storage.get()); }

  private:
    std::unique_ptr<OwnedPart[]> _storage;
    OwnedPart* _end = nullptr;
    OwnedPart* _cap = nullptr;
};

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
// list (empty where the object has no such part). They are owned here, and
// destroyed with it, until RecordObject hands them to the owning lists.
class ObjectParts {
  public:
    explicit ObjectParts(BumpArena& arena) : _arena(arena) {}
    ObjectParts(const ObjectParts&) = delete;
    ObjectParts& operator=(const ObjectParts&) = delete;
    ~ObjectParts() {
        if (_handedOver) return;
        for (const OwnedPart& s : _slots)
            if (s.part) s.destroy(s.part);
    }

    template <typename T, typename... Args>
    T* Make(PartSlot slot, Args&&... args) {
        void* memory = _arena.Allocate(sizeof(T), alignof(T));
        T* part = new (memory) T(std::forward<Args>(args)...);
        _slots[slot] = {part, [](void* p) { static_cast<T*>(p)->T::~T(); }};
        return part;
    }
    template <typename T>
    T* Get(PartSlot slot) const {
        return static_cast<T*>(_slots[slot].part);
    }
    // Every part, now owned by the lists it is appended to; room must have
    // been made in each (MakeRoomInOwningLists).
    void HandOver(OwningList* const (&lists)[kPartSlots]) {
        for (int slot = 0; slot < kPartSlots; ++slot) lists[slot]->AppendUnchecked(_slots[slot]);
        _handedOver = true;
    }
    BumpArena& Arena() const { return _arena; }

  private:
    BumpArena& _arena;
    OwnedPart _slots[kPartSlots];
    bool _handedOver = false;
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
const LabelTarget& DefaultLabel();

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
