// WindowsFont over USB to an emulated printer (under umockdev-wrapper); a
// build that knows no HLV vendor lists no printer, and that path is checked.

#include "../HostTextSupport.h"
#include "UsbPrinterEmulator.h"
#include "comm/CommGlobals.h"
#include "quillon/quillon.h"

namespace {

constexpr bool kVendorKnown = quillon::kVendorHlv != 0 && quillon::kVendorHlv != kOther;

// The HLV printer alone, as a selection takes only the last listed printer.
// Never destroyed: gUsbComm releases the device as the process ends.
UsbPrinterEmulator& Emulator() {
    static UsbPrinterEmulator* emulator = [] {
        auto* e = new UsbPrinterEmulator;
        e->Add({kOther, 0x0001, {0x81}});
        e->Add({kHlv, 0x0002, {0x81}});
        return e;
    }();
    return *emulator;
}

class HostTextUsb : public hosttext_test::InTempDir {};

TEST_F(HostTextUsb, DownloadReachesTheListedPrinter) {
    UsbPrinterEmulator& emulator = Emulator();
    std::wstring text = L"USB Grüße";
    char face[] = "DejaVu Sans", name[] = "U1";
    int result = -1;
    const Captured c = Capture([&] {
        result =
            WindowsFont(20, 270, 1, 1, face, text.data(), true, HLV, name, USB_COMM, nullptr, 0, 0, "", 0);
    });
    if (!kVendorKnown) {
        EXPECT_EQ(result, 0);
        EXPECT_NE(c.out.find("Number of devices: 0\nFailed to call UsbConnect API!\n"), std::string::npos)
            << c.out;
        EXPECT_TRUE(emulator.OutTransfers().empty());
        GTEST_SKIP() << "the build knows no HLV vendor (configure with -DQUILLON_VENDOR_HLV to send)";
    }
    EXPECT_EQ(result, 1) << c.out << c.err;
    EXPECT_EQ(c.out.find("Failed to call UsbConnect API!"), std::string::npos);
    EXPECT_FALSE(gUsbComm.Connected());

    // How the bytes are split into transfers is the connection tests' concern.
    std::string received;
    for (const std::string& transfer : emulator.OutTransfers()) received += transfer;
    EXPECT_EQ(received, hosttext_test::HlvFor("U1", "USB Grüße", "DejaVu Sans 20", 1, true, 270));
}

}  // namespace
