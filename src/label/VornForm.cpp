#include "label/VornForm.h"

#include <algorithm>
#include <string>
#include <type_traits>

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

namespace {

// The thread's spare form. Both are trivially destructible, so they stay
// usable while the thread (or the process) ends: a label closed by a
// static destructor after SpareFormKeeper has run frees its form instead.
thread_local VornForm* tSpareForm = nullptr;
thread_local bool tSpareFormsEnded = false;

struct SpareFormKeeper {
    ~SpareFormKeeper() {
        delete tSpareForm;
        tSpareForm = nullptr;
        tSpareFormsEnded = true;
    }
};
thread_local SpareFormKeeper tSpareFormKeeper;

}  // namespace

namespace quillon {

void ReleaseForm::operator()(VornForm* form) const noexcept {
    if (form == nullptr) return;
    if (tSpareForm != nullptr || tSpareFormsEnded || form->HeapBytes() > kKeptFormHeapBytes) {
        delete form;
        return;
    }
    // The first use on a thread registers the keeper's destructor.
    static_cast<void>(&tSpareFormKeeper);
    form->Clear();
    tSpareForm = form;
}

FormPtr AcquireForm(std::string formName, IPrintResolution* printerResolution) {
    VornForm* spare = tSpareForm;
    if (spare == nullptr) return FormPtr(new VornForm(std::move(formName), printerResolution));
    tSpareForm = nullptr;
    spare->Name = std::move(formName);
    spare->PrinterResolution = printerResolution;
    spare->DeleteAfterUse = true;
    return FormPtr(spare);
}

}  // namespace quillon

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
    VornobjQRCodedataManuallyEncoded.insert(VornobjQRCodedataManuallyEncoded.end(), segments->begin(),
                                            segments->end());
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

namespace {

// Reads from `pos` up to `delimiter` (which is consumed) or the end, like
// std::getline on a stream: fails only when nothing at all is left.
bool ReadPiece(std::string_view in, size_t& pos, char delimiter, std::string& piece) {
    if (pos >= in.size()) return false;
    size_t stop = in.find(delimiter, pos);
    if (stop == std::string::npos) stop = in.size();
    piece.assign(in, pos, stop - pos);
    pos = stop < in.size() ? stop + 1 : stop;
    return true;
}

}  // namespace

bool VornForm::ParsePutbmpInfo(std::string_view PutbmpInfo, int& x, int& y, std::string& strFilePath) {
    size_t pos = 0;
    std::string piece;
    if (!ReadPiece(PutbmpInfo, pos, ';', piece)) return false;
    x = std::stoi(piece, nullptr, 10);
    if (!ReadPiece(PutbmpInfo, pos, ';', piece)) return false;
    y = std::stoi(piece, nullptr, 10);
    return ReadPiece(PutbmpInfo, pos, '\n', strFilePath);
}

std::string VornForm::ToHexString(std::string_view input) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(input.size() * 2);
    for (char c : input) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0x0f]);
    }
    return out;
}
