#ifndef QUILLON_LABELOBJECT_H
#define QUILLON_LABELOBJECT_H

// Labels as objects: each quillon::Label owns everything it records and
// shares nothing with other labels or with the label functions of
// quillon/Label.h, so any number of labels may be built and rendered at once,
// each on its own thread. Nothing is printed: what a language cannot express
// is kept in notices().
//
//     quillon::Label label(quillon::Language::Kesh, 203, quillon::Unit::Inch);
//     label.text({.x = 0.1f, .y = 0.2f, .data = "SHIP TO", .fontSize = 12});   // C++20
//     std::string commands = label.render();
//
// A C++17 caller fills the option structs member by member. Every position
// and size is in the option's `unit`, the label's own unit when left empty.
// An empty std::optional means "no value given": the printer language's
// default applies. Values are checked when the label is rendered, as by the
// label functions, and render() throws the same exceptions with the same
// messages. Unlike the label functions, the adding members refuse at once a
// text that the label's language cannot frame (a double quote in VORN, a
// carriage return, a line feed or a NUL byte in either) with
// std::invalid_argument naming the option, e.g.
// "text.data: VORN cannot frame a double quote".

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "quillon/Enums.h"
#include "quillon/Export.h"
#include "quillon/Placement.h"

namespace quillon {

struct PreviewImage;
struct PreviewOptions;

// The printer command language of a label.
enum class Language : int { Vorn = 0, Kesh = 1 };

// Units of positions and sizes; a label's resolution is per MM or per Inch.
enum class Unit : int { Dot = 0, MM = 1, Inch = 2 };

struct TextOptions {
    float x = 0;                     // start of the text
    float y = 0;                     //
    std::string data;                // the text itself
    float fontSize = 10;             // character width and height, in fontSizeUnit
    std::optional<float> fontSizeX;  // character width; empty: fontSize
    std::optional<float> fontSizeY;  // character height; empty: fontSize
    FontSizeUnitsEnum fontSizeUnit = FontSizeUnitsEnum::Points;  // unit of the character size
    FontStyleEnum fontStyle = FontStyleEnum::Normal;             // normal, bold or italic
    AlignEnum alignment = AlignEnum::Default;                    // alignment at the start point
    std::string fontName;                                        // printer font; empty: the default font
    RotateEnum rotation = RotateEnum::None;                      // rotation about the start point
    std::optional<Unit> unit;                                    // unit of x and y
};

struct LineOptions {
    float startX = 0;          // one end
    float startY = 0;          //
    float endX = 0;            // the other end
    float endY = 0;            //
    float thickness = 1;       // line width
    std::optional<Unit> unit;  // unit of every length above
};

struct BoxOptions {
    float startX = 0;          // one corner
    float startY = 0;          //
    float endX = 0;            // the opposite corner
    float endY = 0;            //
    float thickness = 1;       // width of the frame
    std::optional<Unit> unit;  // unit of every length above
};

struct Barcode1DOptions {
    float x = 0;                                             // reference point of the barcode
    float y = 0;                                             //
    std::string data;                                        // the encoded data
    float narrowBar = 0;                                     // narrow bar width
    float wideBar = 0;                                       // wide bar width
    float height = 0;                                        // bar height
    BarcodeTypeEnum_1D type = BarcodeTypeEnum_1D::Code_128;  // symbology
    bool humanReadable = true;                               // print the interpretation line
    RotateEnum rotation = RotateEnum::None;                  // rotation about the reference point
    bool textAbove = false;                                  // interpretation line above the bars
    std::optional<Unit> unit;                                // unit of position, bar widths and height
};

struct PictureOptions {
    int x = 0;         // position in dots, whatever the label's unit
    int y = 0;         //
    std::string name;  // name the picture is stored under in the printer
};

struct QRCodeOptions {
    float x = 0;                         // top-left corner
    float y = 0;                         //
    std::string data;                    // the encoded data, when no segments
    float module = 0;                    // module width
    std::optional<QRCodeMaskEnum> mask;  // data mask
    std::vector<std::pair<QRCodeManualEncodingEnum, std::string>> segments;  // manually encoded data
    std::optional<QRCodeErrorCorrectionEnum> errorCorrection;                // error correction level
    std::optional<QRCodeModelEnum> model;                                    // symbol model
    RotateEnum rotation = RotateEnum::None;                                  // rotation
    std::optional<Unit> unit;                                                // unit of position and module
};

struct Pdf417Options {
    float x = 0;                                             // top-left corner
    float y = 0;                                             //
    std::string data;                                        // the encoded data
    float module = 0;                                        // module width
    float moduleHeight = 0;                                  // module (row) height
    std::optional<Pdf417ErrCorrectionEnum> errorCorrection;  // error correction level
    std::optional<int> rows;                                 // rows; empty: as the data needs
    std::optional<int> columns;                              // data columns; empty: as the data needs
    RotateEnum rotation = RotateEnum::None;                  // rotation
    std::optional<Unit> unit;                                // unit of position and module sizes
};

struct DataMatrixOptions {
    float x = 0;                             // top-left corner
    float y = 0;                             //
    std::string data;                        // the encoded data
    float module = 0;                        // module width
    RotateEnum rotation = RotateEnum::None;  // rotation
    bool rectangle = false;                  // rectangular rather than square symbol
    std::string lines;                       // further lines, joined by the four characters "/r/n"
    char lineControl1 = 13;                  // first control byte written before each further line
    char lineControl2 = 10;                  // second control byte written before each further line
    std::optional<int> rows;                 // rows; empty: as the data needs
    std::optional<int> columns;              // columns; empty: as the data needs
    std::optional<Unit> unit;                // unit of position and module
};

struct AztecOptions {
    float x = 0;                                // top-left corner
    float y = 0;                                //
    std::string data;                           // the encoded data
    float module = 0;                           // module width
    std::optional<AztecCodeTypeEnum> codeType;  // symbol type
    std::optional<int> errorCorrection;         // error correction percentage
    std::optional<int> layers;                  // layers
    RotateEnum rotation = RotateEnum::None;     // rotation
    std::optional<Unit> unit;                   // unit of position and module
};

struct MaxicodeOptions {
    float x = 0;                                       // top-left corner
    float y = 0;                                       //
    MaxicodeModeEnum mode = MaxicodeModeEnum::MODE_2;  // symbol mode
    std::string postalCode;                            // modes 2 and 3
    std::string countryCode;                           // modes 2 and 3
    std::string serviceClass;                          // modes 2 and 3
    std::string year;                                  // mode 3 (open system standard)
    std::string primaryMessage;                        // mode 4
    std::string remainingMessage;                      // secondary message, every mode
    bool zipperPattern = false;                        // zipper pattern beside the symbol
    RotateEnum rotation = RotateEnum::None;            // rotation
    std::optional<int> messageKind;                    // 0 structured, 1 with year, 2 plain; empty: by mode
    std::optional<Unit> unit;                          // unit of position
};

struct RfidOptions {
    RfidMemBlockEnum bank = RfidMemBlockEnum::EPC;  // EPC or User; other banks add nothing
    unsigned int field32 = 0;                       // EPC: first 32 bits
    std::string ascii6;                             // EPC: six ASCII characters after them
    unsigned int field16 = 0;                       // EPC: last 16 bits
    int offset = 0;                                 // User: offset from the start of the bank
    std::string userData10;                         // User: ten bytes of data
    std::string userHex4;                           // User: four bytes as hex digits
    RfidPasswordTypeEnum passwordType = RfidPasswordTypeEnum::None;  // lock action
    std::string password;                                            // password for the lock action
};

// What a rendering reports instead of printing it.
struct LabelNotice {
    std::string text;    // e.g. "Parameter [Bold] is not supported."
    std::size_t object;  // the object it is about: 0 for the first one added
    bool warning;        // a warning (e.g. "Out of string length!!") rather than an unsupported parameter
};

// One label. Movable, not copyable. A moved-from label may only be assigned
// to or destroyed.
class QUILLON_API Label {
  public:
    // A label of `language` for a printer of `dotsPerUnit` dots per `unit`,
    // which must be Unit::MM or Unit::Inch (std::invalid_argument
    // "Invalid units." otherwise); `unit` is also the label's own unit of
    // positions and sizes. `name` names the form in the command text.
    Label(Language language, float dotsPerUnit, Unit unit, const std::string& name = "LABEL");
    ~Label();
    Label(Label&& other) noexcept;
    Label& operator=(Label&& other) noexcept;
    Label(const Label&) = delete;
    Label& operator=(const Label&) = delete;

    // Each adds one object after those already added and returns the label.
    Label& text(const TextOptions& options);
    Label& line(const LineOptions& options);
    Label& box(const BoxOptions& options);
    Label& barcode1D(const Barcode1DOptions& options);
    Label& picture(const PictureOptions& options);
    Label& qr(const QRCodeOptions& options);
    Label& pdf417(const Pdf417Options& options);
    Label& dataMatrix(const DataMatrixOptions& options);
    Label& aztec(const AztecOptions& options);
    Label& maxicode(const MaxicodeOptions& options);
    Label& rfid(const RfidOptions& options);

    // The label's command text, each line ending in "\r\n". May be called
    // again after more objects are added.
    std::string render();
    // The notices of the last render(), in the order they arose.
    const std::vector<LabelNotice>& notices() const;

    // Every object in printer dots, in the order added (RFID banks and
    // Maxicode kinds that record nothing are left out), as the command text
    // places it. Checks nothing: an object render() would refuse is still
    // placed.
    std::vector<Placed> placement() const;
    // The printer's dots per inch.
    float dotsPerInch() const;

    // A picture of the label at its dots (quillon/Preview.h). Defined in
    // libquillon-preview, so a program that calls them links
    // quillon::preview (pkg-config quillon-preview) as well.
    PreviewImage preview() const;
    PreviewImage preview(const PreviewOptions& options) const;

  private:
    class Impl;
    QUILLON_LOCAL Impl& open() const;
    std::unique_ptr<Impl> _impl;
};

}  // namespace quillon

#endif
