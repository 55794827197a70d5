// The exported label functions: open, render and close the process-wide
// label, and add a stored picture. The adding steps of the other object kinds
// live in Create<Kind>.cpp beside this file; every one records through
// RecordObject into the label a LabelTarget names.

#include <cstring>
#include <stdexcept>

#include "base/Format.h"
#include "label/AddObjects.h"
#include "quillon/Label.h"

std::unique_ptr<Label_vorn> gpLabel;
std::unique_ptr<PrintResolution> gpPrinterResolution;
int giPrintLanguageTyp = 0;

namespace {
// Declared before the owning lists, so that at exit it outlives them.
quillon::BumpArena gPartArena;
}  // namespace

quillon::OwningList ObjectsPtr;
quillon::OwningList ObjRulerPtr;
quillon::OwningList ObjStartPtr;
quillon::OwningList ObjEndPtr;
quillon::OwningList ObjCellSquarePtr;
quillon::OwningList ObjCellRectPtr;
quillon::OwningList ObjTextItemPtr;

IRuler* gpRuler = nullptr;
CellSquare* gpCellSquare = nullptr;
CellRect* gpCellRect = nullptr;
Text_vorn* gpTextType = nullptr;
Line_vorn* gpLineType = nullptr;
Box_vorn* gpBoxType = nullptr;
Barcode1D_vorn* gpBarcode1DType = nullptr;
QRBarcode_vorn* gpQRBarcodeType = nullptr;
Pdf417Barcode_vorn* gpPdf417BarcodeType = nullptr;
DataMatrixBarcode_vorn* gpDataMatrixBarcodeType = nullptr;
AztecBarcode_vorn* gpAztecBarcodeType = nullptr;
MaxicodeBarcode_vorn* gpMexiCodeBarcodeType = nullptr;
cRfidWrite_vorn* gpRfidWriteType = nullptr;

namespace {

quillon::OwningList* const kOwningLists[quillon::kPartSlots] = {
    &ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr, &ObjCellRectPtr, &ObjTextItemPtr};

// The process-wide label as a recording target: set by CreateLabel and
// ReleaseLabel, not assembled again for every object added.
quillon::LabelTarget gDefaultTarget{nullptr,
                                    nullptr,
                                    0,
                                    &gPartArena,
                                    {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                                     &ObjCellRectPtr, &ObjTextItemPtr}};

void ClearScratchPointers() {
    gpRuler = nullptr;
    gpCellSquare = nullptr;
    gpCellRect = nullptr;
    gpTextType = nullptr;
    gpLineType = nullptr;
    gpBoxType = nullptr;
    gpBarcode1DType = nullptr;
    gpQRBarcodeType = nullptr;
    gpPdf417BarcodeType = nullptr;
    gpDataMatrixBarcodeType = nullptr;
    gpAztecBarcodeType = nullptr;
    gpMexiCodeBarcodeType = nullptr;
    gpRfidWriteType = nullptr;
}

// Releases the label and every part it owns. Nothing can reach the parts of
// a label once it is gone, so a label replaced by CreateLabel gives them
// back at once rather than at the next CloseLabel: a host that never closes
// its labels stays flat in memory.
void ReleaseLabel() {
    // Parts are only ever recorded on an open label, and all of them went
    // when it was released.
    if (!gpLabel) return;
    // The label refers to the resolution, so it goes first.
    gDefaultTarget.label = nullptr;
    gDefaultTarget.resolution = nullptr;
    gpLabel.reset();
    gpPrinterResolution.reset();
    for (auto* list : {&ObjTextItemPtr, &ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr,
                       &ObjCellSquarePtr, &ObjCellRectPtr})
        list->clear();
    // Every part has been destroyed with its list entry.
    gPartArena.Rewind();
    ClearScratchPointers();
}

}  // namespace

namespace quillon {

std::string_view CopyToParts(BumpArena& arena, std::string_view text) {
    if (text.empty()) return {};
    auto* copy = static_cast<char*>(arena.Allocate(text.size(), 1));
    std::memcpy(copy, text.data(), text.size());
    return {copy, text.size()};
}

// Only RecordObject and the label lifecycles write the lists, always all
// seven together and by the same steps, so the first one tells for all.
void MakeRoomInOwningLists(OwningList* const (&lists)[kPartSlots]) {
    if (lists[0]->capacity() != lists[0]->size()) return;
    for (auto* list : lists)
        if (list->capacity() == list->size()) list->reserve(list->size() * 2 + 16);
}

Recorded RecordObject(const LabelTarget& target, int objType, FormRow&& row, ObjectParts&& parts) {
    Recorded made;
    made.recorded = true;
    made.object = parts.Get<void>(kObjectPart);
    made.ruler = parts.Get<Ruler>(kRulerPart);
    made.cellSquare = parts.Get<CellSquare>(kCellSquarePart);
    made.cellRect = parts.Get<CellRect>(kCellRectPart);
    row.VornObjPrintLanguageTyp = target.printLanguageTyp;
    row.VornObjType = objType;
    row.VornObjects = made.object;
    row.VornObjRuler = made.ruler;
    row.VornObjstart = parts.Get<Point>(kStartPart);
    row.VornObjend = parts.Get<Point>(kEndPart);
    row.VornObjCellSquare = made.cellSquare;
    row.VornObjCellRect = made.cellRect;
    row.VornobjTextItem = parts.Get<TextItem>(kTextItemPart);
    MakeRoomInOwningLists(target.lists);
    target.label->AddRow(std::move(row));
    // Recorded: nothing below can fail, and the parts are the label's now.
    parts.HandOver(target.lists);
    return made;
}

Recorded AddPicture(const LabelTarget& target, int x, int y, const std::string& strFilePath) {
    FormRow row;
    std::string description;
    AppendInt(description, x);
    description += kPictureFieldDelimiter;
    AppendInt(description, y);
    description += kPictureFieldDelimiter;
    description += strFilePath;
    row.VornobjPutBmpStr = description;
    return RecordObject(target, kObjPicture, std::move(row), ObjectParts(*target.arena));
}

const LabelTarget& DefaultLabel() {
    return gDefaultTarget;
}

}  // namespace quillon

extern "C" {

QUILLON_API void CreateLabel(int iPrintLanguageTyp, std::string LabelName, float dotsPerUnit,
                             ScaleEnum unit) {
    giPrintLanguageTyp = iPrintLanguageTyp;
    ReleaseLabel();
    auto resolution = std::make_unique<PrintResolution>(dotsPerUnit, unit);
    auto label = std::make_unique<Label_vorn>(std::move(LabelName), resolution.get(), iPrintLanguageTyp);
    quillon::MakeRoomInOwningLists(kOwningLists);
    gpPrinterResolution = std::move(resolution);
    gpLabel = std::move(label);
    gDefaultTarget.label = gpLabel.get();
    gDefaultTarget.resolution = gpPrinterResolution.get();
    gDefaultTarget.printLanguageTyp = giPrintLanguageTyp;
    for (auto* list : kOwningLists) list->AppendUnchecked({});
}

QUILLON_API void LabelToString(const std::string& str) {
    if (!gpLabel) throw std::logic_error("No label is open.");
    // The caller hands in a string it owns; the declared const is historical.
    gpLabel->toString(const_cast<std::string&>(str));
}

QUILLON_API void CloseLabel() {
    ReleaseLabel();
}

QUILLON_API void* Picture(int x, int y, std::string strFilePath) {
    if (!gpLabel) return nullptr;
    // A picture has no parts to publish as the most recently made.
    quillon::AddPicture(quillon::DefaultLabel(), x, y, strFilePath);
    return gpLabel.get();
}

QUILLON_API std::string ToHexString(const std::string& input) {
    return VornForm::ToHexString(input);
}

}  // extern "C"
