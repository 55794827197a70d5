#ifndef QUILLON_FORM_VORNFORM_H
#define QUILLON_FORM_VORNFORM_H

#include <string>
#include <string_view>

#include "base/Coordinate.h"
#include "base/Notice.h"
#include "base/TextBuffer.h"
#include "form/AttributeList.h"
#include "form/FormRow.h"
#include "form/FormStorage.h"

// The form recorder: every object added to a label is one entry in each of
// the parallel attribute lists (entry i of every list belongs to object i).
// Nothing is rendered while recording; GetAsString walks the lists. The
// recorder's own members are defined in form/, the form assembly and the
// emitter members in generate/.
class VornForm : private quillon::FormStorage {
  public:
    template <typename T>
    using List = quillon::AttributeList<T>;

    VornForm(std::string formName, IPrintResolution* printerResolution);
    VornForm(const VornForm&) = delete;
    VornForm& operator=(const VornForm&) = delete;
    ~VornForm() = default;

#define QUILLON_DECLARE_LIST(member, type, adder, forwarder, filler, object0) List<type> member{&_lists};
    QUILLON_FORM_LISTS(QUILLON_DECLARE_LIST)
#undef QUILLON_DECLARE_LIST
    QRCodeManualSegments VornobjQRCodedataManuallyEncoded;

    IPrintResolution* PrinterResolution;
    std::string Name;
    bool DeleteAfterUse = true;
    // Where rendering reports what a language cannot express.
    quillon::NoticeSink* Notices = &quillon::StandardStreams();

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

    // Empties every list but keeps its capacity, so that the form can record
    // another label without growing its lists again.
    void Clear() noexcept;

    size_t ObjectCount() const {
        return VornObjects.size();
    }
    // The object whose text is being rendered, so that a notice can name it.
    size_t RenderingRow() const {
        return _renderingRow;
    }
    // Bytes the form's lists took from the heap beyond its inline block.
    size_t HeapBytes() const noexcept {
        return _lists.HeapBytes();
    }

    // Form assembly (generate/FormAssembly.cpp). Replaces strLabel with the
    // whole form text; on an exception strLabel is left as it was.
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
    static int LimitRange(int value, int min, int max);
    // The Aztec size estimate VORN needs to move the anchor of a rotated symbol.
    static int GetErrCorrectionPercent(int FixedErrCorrection);
    static int GetLayersWithinRange(int Layers, int Type);
    static int CalculateTotalCodewordsForLayers(int layers);
    static int CalculateLengthWithECC(int dataLength, int eccPercentage);
    static int CalculateAztecModuleCount(int dataSize, int errorCorrectionPercentage);

    // Emitters (generate/VornFormEmitters.cpp): each appends the complete
    // text of one object, line terminators included, to `out`. The _kesh
    // twin takes the same arguments.
    void GetTextString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                       std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle, int alignment,
                       std::string_view fontName, int rotation, float fontSizeX, float fontSizeY);
    void GetTextString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle,
                            int alignment, std::string_view fontName, int rotation, float fontSizeX,
                            float fontSizeY);
    void GetLineString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                       IPoint* end, float lineThicknessDots);
    void GetLineString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            IPoint* end, float lineThicknessDots);
    void GetBoxString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                      IPoint* end, float lineThicknessDots);
    void GetBoxString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                           IPoint* end, float lineThicknessDots);
    void GetMaxicodeString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                           int maxicodeTyp, int mode, std::string_view postalCode,
                           std::string_view countryCode, std::string_view serviceClass,
                           std::string_view remainingMsg, std::string_view year, std::string_view primaryMsg,
                           bool zipperPattern, int rotation);
    void GetMaxicodeString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                int maxicodeTyp, int mode, std::string_view postalCode,
                                std::string_view countryCode, std::string_view serviceClass,
                                std::string_view remainingMsg, std::string_view year,
                                std::string_view primaryMsg, bool zipperPattern, int rotation);
    void GetPDF417(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                   std::string_view content, float xdim, float ydim, int errorCorrection, int row, int col,
                   int rotation);
    void GetPDF417_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                        std::string_view content, float xdim, float ydim, int errorCorrection, int row,
                        int col, int rotation);
    void GetDataMatrixString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             std::string_view content, float xdim, bool useRectangle,
                             std::string_view multiLine, std::string_view allStr, char ctrlChar1,
                             char ctrlChar2, int rows, int cols, int rotation);
    void GetDataMatrixString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                  IPoint* start, std::string_view content, float xdim, bool useRectangle,
                                  std::string_view multiLine, std::string_view allStr, char ctrlChar1,
                                  char ctrlChar2, int rows, int cols, int rotation);
    void GetAztecBarcodesString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                std::string_view content, float xdim, int codeTyp, int fixedErrCorrection,
                                int layers, int rotation);
    void GetAztecBarcodesString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                     IPoint* start, std::string_view content, float xdim, int codeTyp,
                                     int fixedErrCorrection, int layers, int rotation);
    void GetQRBarcodesString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             std::string_view content, float xdim, int mask,
                             const QRCodeManualSegments& segments, int errorCorrection, int model,
                             int rotation);
    void GetQRBarcodesString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                  IPoint* start, std::string_view content, float xdim, int mask,
                                  const QRCodeManualSegments& segments, int errorCorrection, int model,
                                  int rotation);
    void GetRfidWriteString(quillon::TextBuffer& out, unsigned int a32BitField, unsigned int a16BitField,
                            std::string_view a6CharAsciiString, int memBlock, int offsetFromStart,
                            std::string_view userData10, std::string_view hexUserData4, int passwordType,
                            std::string_view password);
    void GetRfidWriteString_kesh(quillon::TextBuffer& out, unsigned int a32BitField, unsigned int a16BitField,
                                 std::string_view a6CharAsciiString, int memBlock, int offsetFromStart,
                                 std::string_view userData10, std::string_view hexUserData4, int passwordType,
                                 std::string_view password);
    void GetBarcode1DString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            std::string_view content, float narrowBar, float wideBar, float height,
                            int bcdTyp, bool printHumanReadable, int rotation, bool pdfLocTop);
    void GetBarcode1DString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                 IPoint* start, std::string_view content, float narrowBar, float wideBar,
                                 float height, int bcdTyp, bool printHumanReadable, int rotation,
                                 bool pdfLocTop);

  private:
    void Reserve(size_t count);
    void MakeRoomForRows();

    // Rows every list has room for. AddRow appends without checking while
    // this is above zero; anything that changes one list alone resets it.
    size_t _rowsRoom = 0;
    size_t _renderingRow = 0;
    // The text being rendered; kept with the form, so that a form reused
    // for the next label renders without allocating.
    quillon::TextBuffer _rendering;
};

#endif
