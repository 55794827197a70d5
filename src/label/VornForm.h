#ifndef QUILLON_LABEL_VORNFORM_H
#define QUILLON_LABEL_VORNFORM_H

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "label/AttributeList.h"
#include "label/BumpArena.h"
#include "label/Coordinate.h"
#include "label/FormLists.h"
#include "label/FormText.h"
#include "quillon/Label.h"

class TextItem;

namespace quillon {

// Object type codes recorded for each object; the form assembly picks the
// emitter by them. 1, 2 and codes above 13 produce no text.
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

// The form recorder: every object added to a label is one entry in each of
// the parallel attribute lists (entry i of every list belongs to object i).
// Nothing is rendered while recording; GetAsString walks the lists.
class VornForm {
    // Declared first: the lists below take their memory from it.
    quillon::BumpArena _arena;
    // The recorded texts. The lists hold views of them, so a list entry has
    // nothing to free and Clear drops every text of a label at once.
    quillon::BumpArena _texts;

  public:
    template <typename T>
    using List = quillon::AttributeList<T>;

    VornForm(std::string formName, IPrintResolution* printerResolution);
    VornForm(const VornForm&) = delete;
    VornForm& operator=(const VornForm&) = delete;
    ~VornForm() = default;

    // Empties every list but keeps its capacity, so that the form can record
    // the next label without growing its lists again.
    void Clear() noexcept;

#define QUILLON_DECLARE_LIST(member, type, adder, forwarder, filler, object0) List<type> member{&_arena};
    QUILLON_FORM_LISTS(QUILLON_DECLARE_LIST)
#undef QUILLON_DECLARE_LIST
    QRCodeManualSegments VornobjQRCodedataManuallyEncoded;

    IPrintResolution* PrinterResolution;
    std::string Name;
    bool DeleteAfterUse = true;

    // One append per list, unchecked: keeping the lists aligned is the
    // caller's duty (AddRow does it in one step).
#define QUILLON_DECLARE_ADDER(member, type, adder, forwarder, filler, object0) \
    void adder(type value) {                                                   \
        member.push_back(Keep(value));                                         \
        _rowsRoom = 0;                                                         \
    }
    QUILLON_FORM_LISTS(QUILLON_DECLARE_ADDER)
#undef QUILLON_DECLARE_ADDER
    void AddVornobjQRCodedataManuallyEncoded(const QRCodeManualSegments* segments);

    // Appends one whole row. Either every list gains its entry or, on an
    // allocation failure, none does.
    void AddRow(quillon::FormRow&& row);

    // Records raw command text as an object of its own.
    void RawContent(std::string_view rawContent, int printLanguageTyp);

    size_t ObjectCount() const {
        return VornObjects.size();
    }

    // Replaces strLabel with the whole form text; on an exception strLabel
    // is left as it was.
    void GetAsString(std::string& strLabel);
    void ToString(std::string& strLabel) {
        GetAsString(strLabel);
    }
    std::string ToString() const {
        return {};
    }

    static bool ParsePutbmpInfo(std::string_view PutbmpInfo, int& x, int& y, std::string& strFilePath);
    // Each byte as two lower-case hex digits.
    static std::string ToHexString(std::string_view input);

    // Aztec symbol size estimate (generate/EmitAztec.cpp): VORN needs the
    // side in modules to move the anchor of a rotated symbol.
    static int GetErrCorrectionPercent(int FixedErrCorrection);
    static int GetLayersWithinRange(int Layers, int Type);
    static int CalculateTotalCodewordsForLayers(int layers);
    static int CalculateLengthWithECC(int dataLength, int eccPercentage);
    static int CalculateAztecModuleCount(int dataSize, int errorCorrectionPercentage);

    // Emitters: each appends the complete text of one object, line
    // terminators included, to `out`. The _kesh twin takes the same
    // arguments. Defined in generate/Emit<Kind>.cpp.
    void GetTextString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                       std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle, int alignment,
                       std::string_view fontName, int rotation, float fontSizeX, float fontSizeY);
    void GetTextString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle,
                            int alignment, std::string_view fontName, int rotation, float fontSizeX,
                            float fontSizeY);
    void GetLineString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start, IPoint* end,
                       float lineThicknessDots);
    void GetLineString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            IPoint* end, float lineThicknessDots);
    void GetBoxString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start, IPoint* end,
                      float lineThicknessDots);
    void GetBoxString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start, IPoint* end,
                           float lineThicknessDots);
    void GetMaxicodeString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                           int maxicodeTyp, int mode, std::string_view postalCode,
                           std::string_view countryCode, std::string_view serviceClass,
                           std::string_view remainingMsg, std::string_view year, std::string_view primaryMsg,
                           bool zipperPattern, int rotation);
    void GetMaxicodeString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                int maxicodeTyp, int mode, std::string_view postalCode,
                                std::string_view countryCode, std::string_view serviceClass,
                                std::string_view remainingMsg, std::string_view year,
                                std::string_view primaryMsg, bool zipperPattern, int rotation);
    void GetPDF417(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                   std::string_view content, float xdim, float ydim, int errorCorrection, int row, int col,
                   int rotation);
    void GetPDF417_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                        std::string_view content, float xdim, float ydim, int errorCorrection, int row,
                        int col, int rotation);
    void GetDataMatrixString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             std::string_view content, float xdim, bool useRectangle,
                             std::string_view multiLine, std::string_view allStr, char ctrlChar1,
                             char ctrlChar2, int rows, int cols, int rotation);
    void GetDataMatrixString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                  std::string_view content, float xdim, bool useRectangle,
                                  std::string_view multiLine, std::string_view allStr, char ctrlChar1,
                                  char ctrlChar2, int rows, int cols, int rotation);
    void GetAztecBarcodesString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                std::string_view content, float xdim, int codeTyp, int fixedErrCorrection,
                                int layers, int rotation);
    void GetAztecBarcodesString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                     std::string_view content, float xdim, int codeTyp,
                                     int fixedErrCorrection, int layers, int rotation);
    void GetQRBarcodesString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             std::string_view content, float xdim, int mask,
                             const QRCodeManualSegments& segments, int errorCorrection, int model,
                             int rotation);
    void GetQRBarcodesString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                  std::string_view content, float xdim, int mask,
                                  const QRCodeManualSegments& segments, int errorCorrection, int model,
                                  int rotation);
    void GetRfidWriteString(std::string& out, unsigned int a32BitField, unsigned int a16BitField,
                            std::string_view a6CharAsciiString, int memBlock, int offsetFromStart,
                            std::string_view userData10, std::string_view hexUserData4, int passwordType,
                            std::string_view password);
    void GetRfidWriteString_kesh(std::string& out, unsigned int a32BitField, unsigned int a16BitField,
                                 std::string_view a6CharAsciiString, int memBlock, int offsetFromStart,
                                 std::string_view userData10, std::string_view hexUserData4, int passwordType,
                                 std::string_view password);
    void GetBarcode1DString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            std::string_view content, float narrowBar, float wideBar, float height,
                            int bcdTyp, bool printHumanReadable, int rotation, bool pdfLocTop);
    void GetBarcode1DString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                 std::string_view content, float narrowBar, float wideBar, float height,
                                 int bcdTyp, bool printHumanReadable, int rotation, bool pdfLocTop);

    // Bytes the form's lists took from the heap beyond its inline arena.
    size_t HeapBytes() const noexcept {
        return _arena.HeapBytes();
    }

  private:
    void Reserve(size_t count);
    void MakeRoomForRows();

    // A copy of `text` that lives until Clear.
    quillon::FormText Keep(quillon::FormText text) {
        if (text.empty()) return {};
        auto* copy = static_cast<char*>(_texts.Allocate(text.size(), 1));
        std::memcpy(copy, text.data(), text.size());
        return std::string_view(copy, text.size());
    }
    template <typename T>
    static T Keep(T value) {
        return value;
    }

    // Rows every list has room for. AddRow appends without checking while
    // this is above zero; anything that changes one list alone resets it.
    size_t _rowsRoom = 0;
};

namespace quillon {

// Hands a form back to its thread's spare slot instead of freeing it.
struct ReleaseForm {
    void operator()(VornForm* form) const noexcept;
};
using FormPtr = std::unique_ptr<VornForm, ReleaseForm>;

// A form for a new label. Each thread keeps the form of its last closed
// label (lists empty, capacity kept) and hands it out again: a form is
// about 14 KB, mostly its inline arena, and sixty lists to set up. A form
// that grew past kKeptFormHeapBytes (lists of about a hundred rows) is freed
// rather than kept, so that one huge label does not pin memory for the rest
// of the thread.
FormPtr AcquireForm(std::string formName, IPrintResolution* printerResolution);
inline constexpr size_t kKeptFormHeapBytes = 256 * 1024;

}  // namespace quillon

#endif
