// The exported label functions: open, render and close a label, and add a
// stored picture. The adding functions of the other object kinds live in
// Create<Kind>.cpp beside this file and record through RecordObject.

#include <cstring>
#include <stdexcept>

#include "base/Format.h"
#include "label/LabelState.h"
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

quillon::OwningList* const kOwningLists[] = {&ObjectsPtr,       &ObjRulerPtr,    &ObjStartPtr,   &ObjEndPtr,
                                             &ObjCellSquarePtr, &ObjCellRectPtr, &ObjTextItemPtr};

// Room for one more entry in every owning list, so that the pushes after a
// recorded row cannot fail. Only this file writes the lists, always all
// seven together and by the same steps, so the first one tells for all.
void MakeRoomInOwningLists() {
    if (ObjectsPtr.capacity() != ObjectsPtr.size()) return;
    for (auto* list : kOwningLists)
        if (list->capacity() == list->size()) list->reserve(list->size() * 2 + 16);
}

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

}  // namespace

namespace quillon {

BumpArena& PartArena() {
    return gPartArena;
}

std::string_view CopyToParts(std::string_view text) {
    if (text.empty()) return {};
    auto* copy = static_cast<char*>(gPartArena.Allocate(text.size(), 1));
    std::memcpy(copy, text.data(), text.size());
    return {copy, text.size()};
}

void* RecordObject(int objType, FormRow&& row, ObjectParts&& parts) {
    Ruler* const ruler = parts.Get<Ruler>(kRulerPart);
    CellSquare* const cellSquare = parts.Get<CellSquare>(kCellSquarePart);
    CellRect* const cellRect = parts.Get<CellRect>(kCellRectPart);
    row.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    row.VornObjType = objType;
    row.VornObjects = parts.Get<void>(kObjectPart);
    row.VornObjRuler = ruler;
    row.VornObjstart = parts.Get<Point>(kStartPart);
    row.VornObjend = parts.Get<Point>(kEndPart);
    row.VornObjCellSquare = cellSquare;
    row.VornObjCellRect = cellRect;
    row.VornobjTextItem = parts.Get<TextItem>(kTextItemPart);
    MakeRoomInOwningLists();
    gpLabel->AddRow(std::move(row));
    // Recorded: nothing below can fail, and the parts are the label's now.
    ObjectsPtr.push_back(parts.Release(kObjectPart));
    ObjRulerPtr.push_back(parts.Release(kRulerPart));
    ObjStartPtr.push_back(parts.Release(kStartPart));
    ObjEndPtr.push_back(parts.Release(kEndPart));
    ObjCellSquarePtr.push_back(parts.Release(kCellSquarePart));
    ObjCellRectPtr.push_back(parts.Release(kCellRectPart));
    ObjTextItemPtr.push_back(parts.Release(kTextItemPart));
    if (ruler) gpRuler = ruler;
    if (cellSquare) gpCellSquare = cellSquare;
    if (cellRect) gpCellRect = cellRect;
    return gpLabel.get();
}

}  // namespace quillon

extern "C" {

QUILLON_API void CreateLabel(int iPrintLanguageTyp, std::string LabelName, float dotsPerUnit,
                             ScaleEnum unit) {
    giPrintLanguageTyp = iPrintLanguageTyp;
    // The label refers to the resolution, so it goes first.
    gpLabel.reset();
    gpPrinterResolution.reset();
    auto resolution = std::make_unique<PrintResolution>(dotsPerUnit, unit);
    auto label = std::make_unique<Label_vorn>(std::move(LabelName), resolution.get(), iPrintLanguageTyp);
    MakeRoomInOwningLists();
    gpPrinterResolution = std::move(resolution);
    gpLabel = std::move(label);
    for (auto* list : kOwningLists) list->push_back(quillon::OwnNothing());
}

QUILLON_API void LabelToString(const std::string& str) {
    if (!gpLabel) throw std::logic_error("No label is open.");
    // The caller hands in a string it owns; the declared const is historical.
    gpLabel->toString(const_cast<std::string&>(str));
}

QUILLON_API void CloseLabel() {
    gpLabel.reset();
    gpPrinterResolution.reset();
    for (auto* list : {&ObjTextItemPtr, &ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr,
                       &ObjCellSquarePtr, &ObjCellRectPtr})
        list->clear();
    // Every part has been destroyed with its list entry.
    gPartArena.Rewind();
    ClearScratchPointers();
}

QUILLON_API void* Picture(int x, int y, std::string strFilePath) {
    if (!gpLabel) return nullptr;
    quillon::FormRow row;
    std::string description;
    quillon::AppendInt(description, x);
    description += quillon::kPictureFieldDelimiter;
    quillon::AppendInt(description, y);
    description += quillon::kPictureFieldDelimiter;
    description += strFilePath;
    row.VornobjPutBmpStr = description;
    return quillon::RecordObject(quillon::kObjPicture, std::move(row), {});
}

QUILLON_API std::string ToHexString(const std::string& input) {
    return VornForm::ToHexString(input);
}

}  // extern "C"
