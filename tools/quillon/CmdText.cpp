// quillon text: text rendered on the host in any installed font and stored
// in the printer as an image.

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "Cli.h"
#include "Target.h"
#include "quillon/HostText.h"
#ifdef QUILLON_HAVE_PREVIEW
#include "quillon/Preview.h"
#endif

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;

// Font sizes the printers' image memory can take.
constexpr int kMinSize = 4, kMaxSize = 300;

struct TextOptions {
    std::string text, font, brand = "orlo", to, name, output;
    int rotation = 0;
    bool bold = false, italic = false, underline = false;
};

// The family fontconfig gives pango for `family`, when it is not that one.
std::string Substitute(const std::string& family) {
    static const char* const kGeneric[] = {"sans", "sans-serif", "serif",  "monospace",
                                           "mono", "cursive",    "fantasy"};
    for (const char* generic : kGeneric)
        if (strcasecmp(family.c_str(), generic) == 0) return "";
    FcPattern* wanted = FcPatternCreate();
    FcPatternAddString(wanted, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* fields = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* installed = FcFontList(nullptr, wanted, fields);
    std::string used;
    if (installed && installed->nfont == 0) {
        FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, wanted, &result);
        FcChar8* name = nullptr;
        used = match && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch
                   ? reinterpret_cast<const char*>(name)
                   : "a default font";
        if (match) FcPatternDestroy(match);
    }
    if (installed) FcFontSetDestroy(installed);
    FcObjectSetDestroy(fields);
    FcPatternDestroy(wanted);
    return used;
}

// The working directory while the download runs: a directory of the tool's
// own, removed with the image files in it, so that nothing of the user's is
// written over. The caller's directory is the working one again after.
class PrivateDirectory {
  public:
    PrivateDirectory() : _home(fs::current_path()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = (fs::path(tmp && *tmp ? tmp : "/tmp") / "quillon-text-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw SendError("text: no private directory: " + std::string(std::strerror(errno)));
        _path = pattern;
        fs::current_path(_path);
    }
    ~PrivateDirectory() {
        std::error_code ignored;
        fs::current_path(_home, ignored);
        fs::remove_all(_path, ignored);
    }
    PrivateDirectory(const PrivateDirectory&) = delete;
    PrivateDirectory& operator=(const PrivateDirectory&) = delete;
    const fs::path& Home() const { return _home; }

  private:
    fs::path _home, _path;
};

// Without --to the image goes to a pseudo-terminal that a thread of the
// tool reads and drops, so that it can be looked at (--output) first. The
// tool holds the other end open too, so that reading waits for the download.
struct Sink {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC), slave = -1;
    std::thread reader;
    std::string Open() {
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            throw SendError("text: no pseudo-terminal to render into");
        const std::string device = ::ptsname(master);
        slave = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        reader = std::thread([this] {
            for (char buffer[4096]; ::read(master, buffer, sizeof buffer) > 0;) {
            }
        });
        return "serial:" + device;
    }
    ~Sink() {
        ::close(slave);  // the last end: reading fails and the thread ends
        if (reader.joinable()) reader.join();
        ::close(master);
    }
};

// The rendered image for --output, written as previews are (8-bit gray)
// when the tool has the preview library. An HLV printer receives one bit
// per dot, light from gray 128 up, so that is what its file shows.
void SaveImage(const fs::path& from, const fs::path& to, bool oneBit) {
#ifdef QUILLON_HAVE_PREVIEW
    quillon::PreviewImage image = quillon::ReadPng(from.string());
    if (oneBit)
        for (auto& dot : image.pixels) dot = dot >= 128 ? 255 : 0;
    quillon::WritePng(image, to.string());
#else
    (void)oneBit;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
#endif
}

void Check(const TextOptions& o, std::string& face, int& size) {
    if (o.text.empty()) throw UsageError("text: expected some text");
    // "DejaVu Sans 24": the last word is the size, the rest the family.
    const std::size_t space = o.font.find_last_of(' ');
    const std::string number = space == std::string::npos ? "" : o.font.substr(space + 1);
    if (number.empty() || number.size() > 4 || number.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("--font " + o.font + ": expected a family and a size, such as \"DejaVu Sans 24\"");
    face = o.font.substr(0, space);
    size = std::stoi(number);
    if (size < kMinSize || size > kMaxSize)
        throw UsageError("--font " + o.font + ": expected a size from 4 to 300");
    const bool bad =
        o.name.empty() || o.name == "." || o.name == ".." ||
        o.name.find_first_of("/\\\";") != std::string::npos ||
        std::any_of(o.name.begin(), o.name.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
    if (bad)
        throw UsageError("--name " + o.name +
                         ": expected an image name for the printer, without /, \\, \", ; or "
                         "control characters");
}

int Run(const TextOptions& o) {
    try {
        std::string face;
        int size = 0;
        Check(o, face, size);
        // The download reads multibyte text in the locale's encoding.
        if (!std::setlocale(LC_CTYPE, "C.UTF-8") ||
            std::mbstowcs(nullptr, o.text.c_str(), 0) == std::size_t(-1))
            throw UsageError("text: not valid UTF-8");
        std::string text = o.text;
        const std::string used = Substitute(face);
        if (!used.empty())
            Report("warning: font family \"" + face + "\" is not installed; pango uses " + used);
        if (o.to.empty() && o.output.empty()) throw UsageError("text: give --to, --output or both");
        Sink sink;
        const Target target = ParseTarget(o.to.empty() ? sink.Open() : o.to);
        if (target.toStdout) throw UsageError("--to -: text is downloaded to a printer, not written out");
        const DeliveryTarget& p = target.printer;
        if (p.kind == DeliveryTarget::Kind::Usb && p.vendorId != -1)
            throw UsageError("--to " + target.uri + ": text goes to the first USB printer; use --to usb");
        const COMM_TYP kinds[] = {TCP_COMM, COM_COMM, BT_COMM, USB_COMM};  // by DeliveryTarget::Kind
        std::string name = o.name, host = p.host;
        const bool hlv = o.brand == "hlv";
        const int style = (o.bold ? 1 : 0) | (o.italic ? 2 : 0);
        PrivateDirectory directory;
        const int sent = WindowsFont(size, o.rotation, style, o.underline ? 1 : 0, face.data(), text.data(),
                                     false, hlv ? HLV : ORLO, name.data(), kinds[static_cast<int>(p.kind)],
                                     host.data(), p.port, p.address, p.device, p.baud);
        if (!sent) throw SendError(target.uri + ": the connection could not be opened");
        if (!o.output.empty()) SaveImage(hlv ? "HLV.png" : name, directory.Home() / o.output, hlv);
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        Report(std::string(e.what()).rfind("text: ", 0) == 0 ? e.what() : std::string("text: ") + e.what());
        return kSendFailed;
    }
    return kOk;
}

}  // namespace

void SetupText(CLI::App& app) {
    auto o = std::make_shared<TextOptions>();
    CLI::App* sub =
        app.add_subcommand("text", "Render text on the host and store it in the printer as an image");
    sub->add_option("STRING", o->text, "The text (UTF-8)")->required();
    sub->add_option("--font", o->font, "Family and size from 4 to 300, e.g. \"DejaVu Sans 24\"")->required();
    sub->add_option("--brand", o->brand, "Printer brand, orlo (a PNG file) or hlv (run-length rows)")
        ->transform(CLI::IsMember({"orlo", "hlv"}, CLI::ignore_case));
    sub->add_option("--to", o->to, "Printer: tcp://..., usb, serial:..., bt:...");
    sub->add_option("--rotate", o->rotation, "Rotation in degrees")->check(CLI::IsMember({0, 90, 180, 270}));
    sub->add_flag("--bold", o->bold);
    sub->add_flag("--italic", o->italic);
    sub->add_flag("--underline", o->underline);
    sub->add_option("--name", o->name,
                    "Image name on the printer (no path); place it with a \"picture\" object")
        ->required();
    sub->add_option("--output", o->output, "Also write the rendered image to this PNG file");
    sub->footer(
        "The image is rendered in a private temporary directory; nothing is written elsewhere but --output.\n"
        "After a download the printer is given 3 seconds to store the image before the connection is "
        "closed.\n"
        "Without --to the image is rendered and downloaded to nothing, the wait included, for --output.\n\n"
        "Examples:\n"
        "  quillon text \"Grüße 123\" --font \"DejaVu Sans 24\" --name GREET.PNG --output greet.png\n"
        "  quillon text \"Grüße 123\" --font \"DejaVu Sans 24\" --brand orlo --to tcp://192.0.2.10:9100 "
        "--name GREET.PNG\n"
        "  quillon text \"SALE\" --font \"DejaVu Sans 48\" --brand hlv --to usb --rotate 90 --bold --name "
        "SALE");
    sub->callback([o] { Finish(Run(*o)); });
}

}  // namespace quillon::cli
