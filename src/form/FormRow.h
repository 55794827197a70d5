#ifndef QUILLON_FORM_FORMROW_H
#define QUILLON_FORM_FORMROW_H

// One recorded object: its entry for every attribute list, and the codes
// that tell the form assembly which emitter writes it.

#include "form/FormLists.h"
#include "form/FormText.h"
#include "quillon/Label.h"

class IRuler;
class IPoint;
class CellSquare;
class CellRect;
class TextItem;

namespace quillon {

// Object type codes; the form assembly picks the emitter by them. 1, 2 and
// codes above 13 produce no text.
enum ObjTypeCode : int {
    kObjScale = 0,
    kObjText = 3,
    kObjLine = 4,
    kObjBox = 5,
    kObjMaxicode = 6,
    kObjPdf417 = 7,
    kObjDataMatrix = 8,
    kObjAztec = 9,
    kObjQRCode = 10,
    kObjRfid = 11,
    kObjBarcode1D = 12,
    kObjPicture = 13,
    // Raw command text added through ILabel::addRawContent: written verbatim
    // between two line terminators.
    kObjRawContent = -1,
};

// A picture is recorded as one text, "x;y;path": the decimal x and y and the
// name the picture is stored under in the printer.
inline constexpr char kPictureFieldDelimiter = ';';

// One object's entry for every attribute list, preset to the fillers. An
// adding function sets what its kind has and records the row in one step,
// so the lists can never fall out of step.
struct FormRow {
#define QUILLON_ROW_FIELD(member, type, adder, forwarder, filler, object0) type member = filler;
    QUILLON_FORM_LISTS(QUILLON_ROW_FIELD)
#undef QUILLON_ROW_FIELD
    // Segments appended to the label-wide QR segment list; null appends nothing.
    const QRCodeManualSegments* VornobjQRCodedataManuallyEncoded = nullptr;

    // The row of a label's scale command.
    static FormRow Object0(int printLanguageTyp, void* scale);
};

#define QUILLON_COUNT_LIST(...) +1
inline constexpr int kFormListCount =
    0 QUILLON_FORM_LISTS(QUILLON_COUNT_LIST) QUILLON_FORM_QR_SEGMENTS(QUILLON_COUNT_LIST);
#undef QUILLON_COUNT_LIST
static_assert(kFormListCount == 59, "the recorder keeps fifty-nine attribute lists");

}  // namespace quillon

#endif
