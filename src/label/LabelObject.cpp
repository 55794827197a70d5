// quillon::Label: one label with its own recorder, parts, arena and
// notices, recording through the same adding steps as the exported label
// functions. Nothing here touches process-wide state.

#include "quillon/LabelObject.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "generate/Placement.h"
#include "label/AddObjects.h"

namespace quillon {
namespace {

// A carriage return, a line feed or a NUL byte would end a command line
// early in either language; VORN frames every text in double quotes and has
// no other frame to fall back on. (KESH picks a frame the data does not hold.)
// Whether any byte of `w` is below 14 (CR is 13) or a double quote.
bool MayStopFrame(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    const std::uint64_t quotes = w ^ (kOnes * '"');
    return (((w - kOnes * 14) & ~w) | ((quotes - kOnes) & ~quotes)) & kHigh;
}

void CheckFramable(std::string_view text, const char* field, bool kesh) {
    // Eight bytes at a time: the usual text holds no byte to look at, and it
    // is checked for every text of every label.
    std::size_t i = 0;
    for (std::uint64_t w; i + 8 <= text.size() && (std::memcpy(&w, text.data() + i, 8), !MayStopFrame(w));)
        i += 8;
    for (const char c : text.substr(i)) {
        if (static_cast<unsigned char>(c) > '\r' && c != '"') continue;
        const char* what = c == '\r'           ? "a carriage return"
                           : c == '\n'         ? "a line feed"
                           : c == '\0'         ? "a NUL byte"
                           : c == '"' && !kesh ? "a double quote"
                                               : nullptr;
        if (what)
            throw std::invalid_argument(std::string(field) + ": " + (kesh ? "KESH" : "VORN") +
                                        " cannot frame " + what);
    }
}

}  // namespace

namespace {

// What a label keeps its parts in. Goal: a label built after another one on
// the same thread sets up no arena and grows no list again; the thread keeps
// one spare store, as it keeps a spare form.
struct PartStore {
    BumpArena arena;
    OwningList lists[kPartSlots];
    std::vector<size_t> objectOfRow;  // row of the form -> object index

    // Destroys every part, then gives the arena back in one go.
    void Clear() noexcept {
        for (auto& list : lists) list.clear();
        arena.Rewind();
        objectOfRow.clear();
    }
};

thread_local std::unique_ptr<PartStore> tSpareStore;

struct ReturnStore {
    void operator()(PartStore* store) const noexcept {
        store->Clear();
        // A store grown by a huge label is freed rather than kept.
        if (tSpareStore || store->arena.HeapBytes() > 0 || store->lists[0].capacity() > 256) {
            delete store;
            return;
        }
        tSpareStore.reset(store);
    }
};
using StorePtr = std::unique_ptr<PartStore, ReturnStore>;

StorePtr AcquireStore() {
    return StorePtr(tSpareStore ? tSpareStore.release() : new PartStore);
}

}  // namespace

class Label::Impl final : public NoticeSink {
  public:
    Impl(Language language, float dotsPerUnit, Unit unit, const std::string& name)
        : _resolution(dotsPerUnit, static_cast<ScaleEnum>(unit)),
          _kesh(language == Language::Kesh),
          _unit(static_cast<ScaleEnum>(unit)),
          _store(AcquireStore()),
          _label(name, &_resolution, static_cast<int>(language)),
          _target{&_label,
                  &_resolution,
                  static_cast<int>(language),
                  &_store->arena,
                  {&_store->lists[0], &_store->lists[1], &_store->lists[2], &_store->lists[3],
                   &_store->lists[4], &_store->lists[5], &_store->lists[6]}},
          _objectOfRow(_store->objectOfRow) {
        Check(name, "name");
        _label.Form().Notices = this;
        MakeRoomInOwningLists(_target.lists);
        for (auto* list : _target.lists) list->AppendUnchecked({});
        _objectOfRow.push_back(0);  // the scale command
    }

    void Check(std::string_view text, const char* field) const { CheckFramable(text, field, _kesh); }
    ScaleEnum UnitOf(const std::optional<Unit>& unit) const {
        return unit ? static_cast<ScaleEnum>(*unit) : _unit;
    }
    const LabelTarget& Target() const { return _target; }

    // Every adding call takes the next object index, whether it records a
    // row or not (a Maxicode message kind or an RFID bank that is not kept).
    void Added(const Recorded& made) {
        if (made.recorded) _objectOfRow.push_back(_calls);
        ++_calls;
    }

    std::string Render() {
        _notices.clear();
        std::string text;
        _label.toString(text);
        return text;
    }
    const std::vector<LabelNotice>& Notices() const { return _notices; }

    std::vector<Placed> Placement() const {
        std::vector<Placed> placed = PlaceObjects(_label.Form());
        for (Placed& p : placed) p.object = p.object < _objectOfRow.size() ? _objectOfRow[p.object] : 0;
        return placed;
    }
    float DotsPerInch() { return _resolution.getDotsPerInch(); }

    void Notice(std::string_view line) override { Keep(line, false); }
    void Warning(std::string_view line) override { Keep(line, true); }

  private:
    void Keep(std::string_view line, bool warning) {
        const size_t row = _label.Form().RenderingRow();
        _notices.push_back({std::string(line), row < _objectOfRow.size() ? _objectOfRow[row] : 0, warning});
    }

    // Declared in the order they must be built: the label refers to the
    // resolution and is gone before its parts are.
    PrintResolution _resolution;
    bool _kesh;
    ScaleEnum _unit;
    StorePtr _store;
    Label_vorn _label;
    LabelTarget _target;
    std::vector<size_t>& _objectOfRow;
    size_t _calls = 0;
    std::vector<LabelNotice> _notices;
};

Label::Label(Language language, float dotsPerUnit, Unit unit, const std::string& name)
    : _impl(std::make_unique<Impl>(language, dotsPerUnit, unit, name)) {}
Label::~Label() = default;
Label::Label(Label&& other) noexcept = default;
Label& Label::operator=(Label&& other) noexcept = default;

Label::Impl& Label::open() const {
    if (!_impl) throw std::logic_error("No label is open.");
    return *_impl;
}

Label& Label::text(const TextOptions& o) {
    Impl& l = open();
    l.Check(o.data, "text.data");
    l.Check(o.fontName, "text.fontName");
    l.Added(AddText(l.Target(), o.x, o.y, o.fontSizeX.value_or(o.fontSize), o.fontSizeY.value_or(o.fontSize),
                    o.data, l.UnitOf(o.unit), o.fontSizeUnit, o.fontStyle, o.alignment, o.fontName,
                    o.rotation));
    return *this;
}

Label& Label::line(const LineOptions& o) {
    Impl& l = open();
    l.Added(AddLine(l.Target(), o.startX, o.startY, o.endX, o.endY, o.thickness, l.UnitOf(o.unit)));
    return *this;
}

Label& Label::box(const BoxOptions& o) {
    Impl& l = open();
    l.Added(AddBox(l.Target(), o.startX, o.startY, o.endX, o.endY, o.thickness, l.UnitOf(o.unit)));
    return *this;
}

Label& Label::barcode1D(const Barcode1DOptions& o) {
    Impl& l = open();
    l.Check(o.data, "barcode1D.data");
    l.Added(AddBarcode1D(l.Target(), o.x, o.y, o.data, l.UnitOf(o.unit), o.narrowBar, o.wideBar, o.height,
                         o.type, o.humanReadable, o.rotation, o.textAbove));
    return *this;
}

Label& Label::picture(const PictureOptions& o) {
    Impl& l = open();
    l.Check(o.name, "picture.name");
    l.Added(AddPicture(l.Target(), o.x, o.y, o.name));
    return *this;
}

Label& Label::qr(const QRCodeOptions& o) {
    Impl& l = open();
    l.Check(o.data, "qr.data");
    for (const auto& segment : o.segments) l.Check(segment.second, "qr.segments");
    l.Added(AddQRCode(l.Target(), o.x, o.y, o.data, l.UnitOf(o.unit), o.module,
                      o.mask.value_or(static_cast<QRCodeMaskEnum>(-1)), &o.segments,
                      o.errorCorrection.value_or(static_cast<QRCodeErrorCorrectionEnum>(-1)),
                      o.model.value_or(static_cast<QRCodeModelEnum>(-1)), o.rotation));
    return *this;
}

Label& Label::pdf417(const Pdf417Options& o) {
    Impl& l = open();
    l.Check(o.data, "pdf417.data");
    l.Added(AddPdf417(l.Target(), o.x, o.y, o.data, l.UnitOf(o.unit), o.module, o.moduleHeight,
                      o.errorCorrection.value_or(static_cast<Pdf417ErrCorrectionEnum>(-1)),
                      o.rows.value_or(-1), o.columns.value_or(-1), o.rotation));
    return *this;
}

Label& Label::dataMatrix(const DataMatrixOptions& o) {
    Impl& l = open();
    l.Check(o.data, "dataMatrix.data");
    l.Check(o.lines, "dataMatrix.lines");
    l.Added(AddDataMatrix(l.Target(), o.x, o.y, o.data, l.UnitOf(o.unit), o.module, o.rotation, o.rectangle,
                          o.lines, o.lineControl1, o.lineControl2, o.rows.value_or(-1),
                          o.columns.value_or(-1)));
    return *this;
}

Label& Label::aztec(const AztecOptions& o) {
    Impl& l = open();
    l.Check(o.data, "aztec.data");
    l.Added(AddAztec(l.Target(), o.x, o.y, o.data, l.UnitOf(o.unit), o.module,
                     o.codeType.value_or(static_cast<AztecCodeTypeEnum>(-1)), o.errorCorrection.value_or(-1),
                     o.layers.value_or(-1), o.rotation));
    return *this;
}

Label& Label::maxicode(const MaxicodeOptions& o) {
    Impl& l = open();
    l.Check(o.postalCode, "maxicode.postalCode");
    l.Check(o.countryCode, "maxicode.countryCode");
    l.Check(o.serviceClass, "maxicode.serviceClass");
    l.Check(o.year, "maxicode.year");
    l.Check(o.primaryMessage, "maxicode.primaryMessage");
    l.Check(o.remainingMessage, "maxicode.remainingMessage");
    // Modes 2, 3 and 4 carry the message kinds 0, 1 and 2.
    const int kind = o.messageKind.value_or(static_cast<int>(o.mode) - 2);
    l.Added(AddMaxicode(l.Target(), kind, o.mode, o.postalCode, o.countryCode, o.serviceClass,
                        o.remainingMessage, o.year, o.primaryMessage, o.x, o.y, l.UnitOf(o.unit),
                        o.zipperPattern, o.rotation));
    return *this;
}

Label& Label::rfid(const RfidOptions& o) {
    Impl& l = open();
    l.Check(o.ascii6, "rfid.ascii6");
    l.Check(o.userData10, "rfid.userData10");
    l.Check(o.userHex4, "rfid.userHex4");
    l.Check(o.password, "rfid.password");
    l.Added(AddRfid(l.Target(), o.field32, o.field16, o.ascii6, o.bank, o.offset, o.userData10, o.userHex4,
                    o.passwordType, o.password));
    return *this;
}

std::string Label::render() {
    return open().Render();
}

const std::vector<LabelNotice>& Label::notices() const {
    return open().Notices();
}

std::vector<Placed> Label::placement() const {
    return open().Placement();
}

float Label::dotsPerInch() const {
    return open().DotsPerInch();
}

}  // namespace quillon
