// WindowsFont over USB to an emulated printer. Run under umockdev-wrapper.
// The printer's vendor is the build's HLV vendor id; a build that knows no
// vendor lists no printer, and the test then checks that path instead.

#include "../HostTextSupport.h"
#include "UsbPrinterEmulator.h"
#include "comm/CommGlobals.h"
#include "comm/VendorIds.h"
#include "quillon/quillon.h"

namespace {

constexpr uint16_t kOther = 0x0bda;
constexpr bool kVendorKnown = quillon::kVendorHlv != 0 && quillon::kVendorHlv != kOther;

// Outlives the library's connection objects: gUsbComm releases the device
// when the process ends, and the emulator must still answer then.
UsbPrinterEmulator& Emulator() {
    static UsbPrinterEmulator* emulator = [] {
        auto* e = new UsbPrinterEmulator;
        e->Add({kOther, 0x0001, {0x81}});
        e->Add({kVendorKnown ? quillon::kVendorHlv : static_cast<uint16_t>(0x5678), 0x0002, {0x81}});
        return e;
    }();
    return *emulator;
}

class HostTextUsb : public hosttext_test::InTempDir {};

TEST_F(HostTextUsb, DownloadReachesTheListedPrinter) {
    UsbPrinterEmulator& emulator = Emulator();
    std::wstring text = L"USB Grüße";
    char face[] = "DejaVu Sans";
    char name[] = "U1";
    int result = -1;
    const Captured c = Capture([&] {
        result =
            WindowsFont(20, 270, 1, 1, face, text.data(), true, HLV, name, USB_COMM, nullptr, 0, 0, "", 0);
    });
    const std::string &out = c.out, &err = c.err;

    if (!kVendorKnown) {
        EXPECT_EQ(result, 0);
        EXPECT_NE(out.find("Number of devices: 0\nFailed to call UsbConnect API!\n"), std::string::npos)
            << out;
        EXPECT_TRUE(emulator.OutTransfers().empty());
        GTEST_SKIP()
            << "the build knows no printer vendor (configure with -DQUILLON_VENDOR_HLV to send to the "
               "emulated printer)";
    }
    EXPECT_EQ(result, 1) << out << err;
    EXPECT_EQ(out.find("Failed to call UsbConnect API!"), std::string::npos);
    EXPECT_FALSE(gUsbComm.Connected());

    // How the bytes are split into transfers is the connection tests' concern.
    std::string received;
    for (const std::string& transfer : emulator.OutTransfers()) received += transfer;
    EXPECT_EQ(received, hosttext_test::HlvFor("U1", "USB Grüße", "DejaVu Sans 20", 1, true, 270));
}

}  // namespace
