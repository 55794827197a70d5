// The recorder: appending rows, clearing a form for reuse.
#include "form/VornForm.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

#include "base/Format.h"

namespace quillon {

FormRow FormRow::Object0(int printLanguageTyp, void* scale) {
    FormRow row;
#define QUILLON_OBJECT0_VALUE(member, type, adder, forwarder, filler, object0) row.member = object0;
    QUILLON_FORM_LISTS(QUILLON_OBJECT0_VALUE)
#undef QUILLON_OBJECT0_VALUE
    row.VornObjPrintLanguageTyp = printLanguageTyp;
    row.VornObjects = scale;
    row.VornObjType = kObjScale;
    return row;
}

}  // namespace quillon

namespace {

// Most labels carry a few dozen objects; starting every list at this size
// keeps the common case free of regrowth.
constexpr size_t kInitialCapacity = 16;

// Always inlined: sixty out-of-line calls per row would cost more than the
// appends themselves.
template <typename T>
[[gnu::always_inline]] inline void Append(VornForm::List<T>& list, T&& value) {
    list.AppendUnchecked(std::move(value));
}

}  // namespace

VornForm::VornForm(std::string formName, IPrintResolution* printerResolution)
    : PrinterResolution(printerResolution), Name(std::move(formName)) {
    Reserve(kInitialCapacity);
}

void VornForm::Clear() noexcept {
    // Emptied lists have room for as many rows as the smallest capacity.
    size_t room = static_cast<size_t>(-1);
#define QUILLON_CLEAR(member, type, adder, forwarder, filler, object0) \
    member.clear();                                                    \
    room = std::min(room, member.capacity());
    QUILLON_FORM_LISTS(QUILLON_CLEAR)
#undef QUILLON_CLEAR
    VornobjQRCodedataManuallyEncoded.clear();
    _texts.Rewind();
    _rowsRoom = room;
}

void VornForm::Reserve(size_t count) {
#define QUILLON_RESERVE(member, type, adder, forwarder, filler, object0) \
    if (member.capacity() < count) member.reserve(count);
    QUILLON_FORM_LISTS(QUILLON_RESERVE)
#undef QUILLON_RESERVE
    _rowsRoom = 0;
}

void VornForm::MakeRoomForRows() {
    size_t room = static_cast<size_t>(-1);
#define QUILLON_MAKE_ROOM(member, type, adder, forwarder, filler, object0)         \
    if (member.capacity() == member.size()) member.reserve(member.size() * 2 + 1); \
    room = std::min(room, member.capacity() - member.size());
    QUILLON_FORM_LISTS(QUILLON_MAKE_ROOM)
#undef QUILLON_MAKE_ROOM
    _rowsRoom = room;
}

void VornForm::AddVornobjQRCodedataManuallyEncoded(const QRCodeManualSegments* segments) {
    if (segments == nullptr) return;
    // All or nothing: a copy that fails while the list grows would leave
    // the segments already there moved out. So the copies are made first,
    // then room, and moving them in cannot fail.
    QRCodeManualSegments copies(*segments);
    auto& list = VornobjQRCodedataManuallyEncoded;
    if (list.capacity() - list.size() < copies.size())
        list.reserve(std::max(list.size() + copies.size(), 2 * list.size()));
    std::move(copies.begin(), copies.end(), std::back_inserter(list));
}

// Not flattened: the appends inline on their own, and pulling the rare
// growth of sixty lists into every row made this function 25 KB of code
// that each adding function dragged through the instruction cache.
void VornForm::AddRow(quillon::FormRow&& row) {
    const size_t segmentsBefore = VornobjQRCodedataManuallyEncoded.size();
    try {
        // The texts are copied first: a failure leaves the lists untouched
        // (the copies are dropped with the label).
#define QUILLON_KEEP(member, type, adder, forwarder, filler, object0) \
    if constexpr (std::is_same_v<type, quillon::FormText>) row.member = Keep(row.member);
        QUILLON_FORM_LISTS(QUILLON_KEEP)
#undef QUILLON_KEEP
        AddVornobjQRCodedataManuallyEncoded(row.VornobjQRCodedataManuallyEncoded);
        if (_rowsRoom == 0) MakeRoomForRows();
    } catch (...) {
        VornobjQRCodedataManuallyEncoded.resize(segmentsBefore);
        throw;
    }
    // Capacity is in place for every list, so nothing below can throw.
#define QUILLON_APPEND(member, type, adder, forwarder, filler, object0) Append(member, std::move(row.member));
    QUILLON_FORM_LISTS(QUILLON_APPEND)
#undef QUILLON_APPEND
    --_rowsRoom;
}

void VornForm::RawContent(std::string_view rawContent, int printLanguageTyp) {
    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = printLanguageTyp;
    row.VornObjType = quillon::kObjRawContent;
    row.VornobjAztecContent = rawContent;
    AddRow(std::move(row));
}

std::string VornForm::ToHexString(std::string_view input) {
    std::string out;
    quillon::AppendHex(out, input, false);
    return out;
}
