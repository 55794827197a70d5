// The tool's use of the library's device listing and host-rendered text
// download. Both are bound weakly, like the label kinds: a library built
// without the communication layer still runs every other subcommand.

#include "Devices.h"

#include <cstdlib>

#include "quillon/Enums.h"

int GetAvailableDevices(Tuple_c** devices, int* count) __attribute__((weak));
extern "C" int WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline, char* szFaceName,
                           void* content, bool isUnicode, Brand brand, char* szFilePath, COMM_TYP commTyp,
                           char* ipAddress, int port, std::uint64_t macAddress, std::string ComPort,
                           int BaudRate) __attribute__((weak));

namespace quillon::cli {

std::vector<UsbPrinter> ListUsbPrinters() {
    if (&GetAvailableDevices == nullptr) throw SendError("usb: this libquillon has no USB device listing");
    Tuple_c* devices = nullptr;
    int count = 0;
    GetAvailableDevices(&devices, &count);
    std::vector<UsbPrinter> printers;
    for (int i = 0; i < count && devices; ++i)
        printers.push_back(
            {static_cast<std::uint16_t>(devices[i].Item1), static_cast<std::uint16_t>(devices[i].Item2)});
    std::free(devices);
    return printers;
}

namespace {

// UTF-8 to the code points the download takes as wide characters; invalid
// sequences are refused rather than guessed at.
std::wstring Utf8ToWide(const std::string& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size())
            throw UsageError("text: not valid UTF-8");
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) throw UsageError("text: not valid UTF-8");
            cp = (cp << 6) | (c & 0x3F);
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

}  // namespace

void DownloadText(const HostText& request, const Target& target) {
    std::wstring wide = Utf8ToWide(request.text);
    std::string face = request.face, name = request.name, host = target.host;
    COMM_TYP kind = USB_COMM;
    switch (target.kind) {
        case Target::Kind::Usb:
            // The download picks the first listed printer itself.
            if (target.vendorId != -1)
                throw UsageError("--to " + target.uri + ": text goes to the first USB printer; use --to usb");
            kind = USB_COMM;
            break;
        case Target::Kind::Tcp:
            kind = TCP_COMM;
            break;
        case Target::Kind::Bluetooth:
            kind = BT_COMM;
            break;
        case Target::Kind::Serial:
            kind = COM_COMM;
            break;
        case Target::Kind::Stdout:
            throw UsageError("--to -: text is downloaded to a printer, not written out");
    }
    if (&WindowsFont == nullptr) throw SendError("text: this libquillon has no host-rendered text");
    int style = (request.bold ? 1 : 0) | (request.italic ? 2 : 0);
    int sent = WindowsFont(request.height, request.rotation, style, request.underline ? 1 : 0, face.data(),
                           wide.data(), true, request.brand == 2 ? HLV : ORLO, name.data(), kind, host.data(),
                           target.port, target.mac, target.device, target.baud);
    if (!sent) throw SendError(target.uri + ": the connection could not be opened");
}

}  // namespace quillon::cli
