// USB connection and listing against emulated printers (run under
// umockdev-wrapper).

#include <algorithm>
#include <memory>
#include <sstream>

#include "CommTestSupport.h"
#include "UsbPrinterEmulator.h"
#include "quillon/Delivery.h"

namespace {

constexpr bool kVendorsKnown = quillon::kVendorOrlo != 0 && quillon::kVendorHlv != 0 &&
                               quillon::kVendorOrlo != quillon::kVendorHlv &&
                               quillon::kVendorOrlo != kOther && quillon::kVendorHlv != kOther;

// Three attached devices; libusb lists the last attached first, so the
// listing order is HLV printer, ORLO printer, other device.
UsbPrinterEmulator& Emulator() {
    static UsbPrinterEmulator* emulator = [] {
        auto* e = new UsbPrinterEmulator;
        e->Add({kOther, 0x0001, {0x81}});
        e->Add({kOrlo, 0x8001, {0x81}});
        e->Add({kHlv, 0x0002, {0x81, 0x83}});
        return e;
    }();
    return *emulator;
}

// The lines of `text` that start with none of `prefixes`.
std::string Without(const std::string& text, std::initializer_list<const char*> prefixes) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (std::none_of(prefixes.begin(), prefixes.end(),
                         [&](const char* p) { return line.rfind(p, 0) == 0; }))
            kept += line + "\n";
    return kept;
}

// Drops the receive thread's lines, which arrive at their own pace.
std::string CallerLines(const std::string& text) {
    return Without(text, {"StartReceivingTask: ", "Read completed. Bytes read: "});
}

class UsbTest : public testing::Test {
  protected:
    void SetUp() override {
        Emulator().Reset();
        Capture([] { loadListOfUsbPrinters(); });
    }
    // Lists the devices again and selects the ORLO printer (the one the listing remembers).
    static void SelectOrlo() {
        UsbConnection connection;
        Capture([&] { connection.AvailableDevices(); });
        connection.Connection({static_cast<short>(kOrlo)}, -1);
    }
    static std::unique_ptr<UsbComm> Selected() {
        auto comm = std::make_unique<UsbComm>();  // clears the class-wide selection
        SelectOrlo();
        return comm;
    }
};

class UsbPrinterTest : public UsbTest {
  protected:
    void SetUp() override {
        if (!kVendorsKnown)
            GTEST_SKIP() << "the build knows no printer vendor (configure with distinct non-zero "
                            "-DQUILLON_VENDOR_ORLO and -DQUILLON_VENDOR_HLV to run the USB printer tests)";
        UsbTest::SetUp();
    }
};

TEST_F(UsbTest, ListingPrintsEveryDeviceAndKeepsTheKnownVendors) {
    Captured c = Capture([] { loadListOfUsbPrinters(); });
    std::string listed = "Found 3 USB devices.\nDevice 0: Vendor ID " + std::to_string(kHlv) +
                         ", Product ID 2\nDevice 1: Vendor ID " + std::to_string(kOrlo) +
                         ", Product ID 32769\nDevice 2: Vendor ID 3034, Product ID 1\n";
    if (!kVendorsKnown) {
        EXPECT_EQ(c.out, listed + "Number of devices: 0\n");
        EXPECT_EQ(devices, nullptr);
        return;
    }
    std::string hlv = HexText(kHlv), orlo = HexText(kOrlo);
    EXPECT_EQ(c.out, listed + "Number of devices: 2\nDevice 0: VendorID= 0x" + hlv +
                         " ProductID= 0x2\nHalvane, 0x" + hlv + ", 0x2\nDevice 1: VendorID= 0x" + orlo +
                         " ProductID= 0x8001\nORLO, 0x" + orlo + ", 0x8001\n");
    EXPECT_EQ(c.err, "");
}

TEST_F(UsbPrinterTest, SelectionAcceptsOnlyTheLastListedKnownPrinter) {
    const short orlo = static_cast<short>(kOrlo), hlv = static_cast<short>(kHlv);
    struct Row {
        std::vector<short> vendors;
        short product;
        std::string descriptor;
    } rows[] = {
        {{hlv}, -1, "USB:V_ID:0; P_ID:0"},       // listed, but not last
        {{orlo}, 0x0001, "USB:V_ID:0; P_ID:0"},  // other product
        {{hlv, orlo}, -1, "USB:V_ID:" + std::to_string(orlo) + "; P_ID:-32767"},
        {{orlo}, static_cast<short>(0x8001), "USB:V_ID:" + std::to_string(orlo) + "; P_ID:-32767"},
        {{0}, -1, "USB:V_ID:0; P_ID:0"},
    };
    for (const Row& row : rows) {
        UsbComm comm;  // clears the selection
        UsbConnection connection;
        Capture([&] { connection.AvailableDevices(); });
        connection.Connection(row.vendors, row.product);
        EXPECT_STREQ(comm.Descriptor(), row.descriptor.c_str()) << row.descriptor;
    }
}

TEST_F(UsbTest, OpenWithoutASelectedPrinterReportsNotFound) {
    for (bool listed : {false, true}) {  // without a listing there is no context either
        UsbComm comm;
        if (listed) Capture([] { UsbConnection().AvailableDevices(); });
        EXPECT_EQ(Capture([&] { comm.Open(); }).err, "Failed to open USB device: Entity not found\n");
        EXPECT_FALSE(comm.Connected());
        EXPECT_EQ(quillon::CommPeer::UsbContext(), nullptr);
    }
}

TEST_F(UsbPrinterTest, OpenWritesInChunksAndCollectsReplies) {
    // The HLV printer has two IN endpoints; the configuration's last one is read.
    auto comm = std::make_unique<UsbComm>();
    Capture([] { UsbConnection().AvailableDevices(); });
    quillon::CommPeer::SelectUsbVendor(static_cast<short>(kHlv));
    Captured opened = Capture([&] { comm->Open(); });
    EXPECT_EQ(CallerLines(opened.out),
              "IN endpoint address: 0x81\nIN endpoint address: 0x83\n_is_connected set to true\n");
    EXPECT_EQ(opened.err, "");
    ASSERT_TRUE(comm->Connected());
    EXPECT_EQ(Emulator().Claims(), 1);

    // Already open: nothing is touched.
    EXPECT_EQ(CallerLines(Capture([&] { comm->Open(); }).out), "");
    EXPECT_EQ(Emulator().Claims(), 1);

    std::string data;
    for (int i = 0; i < 130; ++i) data.push_back(static_cast<char>(i));
    Captured written = Capture([&] {
        comm->Write(nullptr, 5);
        comm->Write(Bytes(data), 0);
        comm->Write(Bytes(data), 130);
        comm->Write(Bytes(data), 64);  // a whole chunk: no empty transfer after it
    });
    EXPECT_EQ(written.err, "");
    EXPECT_EQ(Emulator().OutTransfers(), (std::vector<std::string>{data.substr(0, 64), data.substr(64, 64),
                                                                   data.substr(128), data.substr(0, 64)}));

    // Two receive steps accumulate; a Read that fits takes both.
    Emulator().QueueReply("0123456789");
    Emulator().QueueReply("abcde");
    unsigned char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    Capture([&] {
        ASSERT_TRUE(WaitUntil([&] { return quillon::CommPeer::UsbBytesAvailable(*comm) == 15; }, 3000));
        comm->Read(buffer, 16);
    });
    EXPECT_EQ(Text(buffer, 16), "0123456789abcde#");
    EXPECT_EQ(Emulator().InEndpoints().front(), 0x83);

    // A reply larger than the caller's buffer is discarded whole.
    Emulator().QueueReply("0123456789");
    std::memset(buffer, '#', sizeof buffer);
    Capture([&] {
        ASSERT_TRUE(WaitUntil([&] { return quillon::CommPeer::UsbBytesAvailable(*comm) == 10; }, 3000));
        comm->Read(buffer, 8);
        comm->Read(buffer, 32);
    });
    EXPECT_EQ(Text(buffer, 4), "####");

    Emulator().QueueReply("STATUS OK\r\n");
    unsigned char* reply = nullptr;
    Capture([&] { reply = comm->WriteAndWaitForResponse(Bytes("~S"), 2, 2000, 2000, "OK"); });
    EXPECT_EQ(Text(reply), "STATUS OK\r\n");
    EXPECT_EQ(Emulator().OutTransfers().back(), "~S");

    Captured closed = Capture([&] {
        comm->Close();
        comm->Write(Bytes(data), 10);
    });
    EXPECT_NE(closed.err.find("Device not connected.\n"), std::string::npos);
    EXPECT_FALSE(comm->Connected());
    Capture([&] { comm.reset(); });
}

TEST_F(UsbPrinterTest, SecondDownloadOnTheSameObjectReopensTheDevice) {
    auto comm = Selected();
    int fdsBefore = 0, fdsAfter = 0;
    Captured c = Capture([&] {
        for (int download = 0; download < 3; ++download) {
            comm->Open();
            if (download == 0) fdsBefore = OpenFdCount();
            ASSERT_TRUE(comm->Connected()) << "download " << download;
            comm->Write(Bytes("PRINT 1\r\n"), 9);
            comm->Close();
        }
        fdsAfter = OpenFdCount();
    });
    // Between a Close and the next Open the receive thread's step may find
    // the device closed and say so; a Write that failed would be missing
    // from the transfers below.
    EXPECT_EQ(Without(CallerLines(c.err), {"Device not connected."}), "");
    EXPECT_EQ(Emulator().Claims(), 3);
    EXPECT_EQ(Emulator().Releases(), 2);  // each earlier handle released before the next claim
    EXPECT_EQ(Emulator().OutTransfers(), std::vector<std::string>(3, "PRINT 1\r\n"));
    EXPECT_EQ(fdsAfter, fdsBefore);  // the earlier handles' files are closed
    Capture([&] { comm.reset(); });
    EXPECT_EQ(Emulator().Releases(), 3);
}

TEST_F(UsbPrinterTest, InjectedFaultsAreReportedAndLeaveTheObjectReusable) {
    using Fault = UsbPrinterEmulator::Fault;
    struct Row {
        const char* name;
        Fault fault;
        bool beforeOpen;
        std::string err;
        bool connected;
    } rows[] = {
        // clang-format off
        {"busy interface", Fault::BusyClaim, true, "Failed to claim interface: LIBUSB_ERROR_BUSY\n", false},
        {"unplugged before open", Fault::Gone, true, "Failed to claim interface: LIBUSB_ERROR_NO_DEVICE\n", false},
        {"stalled OUT endpoint", Fault::StallOut, false, "Failed to write data to USB device: LIBUSB_ERROR_PIPE (-9), transferred 0 bytes\n", true},
        {"unplugged before write", Fault::Gone, false, "Failed to write data to USB device: LIBUSB_ERROR_NO_DEVICE (-4), transferred 0 bytes\n", true},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Emulator().Reset();
        auto comm = Selected();
        Captured c = Capture([&] {
            if (row.beforeOpen) Emulator().SetFault(row.fault);
            comm->Open();
            if (!row.beforeOpen) Emulator().SetFault(row.fault);
            comm->Write(Bytes("0123456789"), 10);
        });
        EXPECT_EQ(CallerLines(c.err), row.err + (row.connected ? "" : "Device not connected.\n"));
        EXPECT_EQ(comm->Connected(), row.connected);
        EXPECT_TRUE(row.connected || quillon::CommPeer::UsbContext() == nullptr);  // failed: context freed

        // Reusable: with the fault gone and a new listing the same object works.
        Emulator().SetFault(Fault::None);
        Capture([&] { comm->Close(); });
        SelectOrlo();
        Captured again = Capture([&] {
            comm->Open();
            comm->Write(Bytes("AFTER"), 5);
        });
        EXPECT_EQ(again.err.find("Failed"), std::string::npos) << again.err;
        EXPECT_TRUE(comm->Connected());
        EXPECT_EQ(Emulator().OutTransfers().back(), "AFTER");
        Capture([&] { comm.reset(); });
    }
}

TEST_F(UsbPrinterTest, ContextStaysAliveWhileAnOpenDeviceUsesItUntilUnplugged) {
    auto first = Selected();
    std::unique_ptr<UsbComm> second;
    Captured c = Capture([&] {
        first->Open();
        ASSERT_TRUE(first->Connected());
        // A new listing and a new connection object both replace the class-wide
        // context; the one the open device lives in must not go away under it.
        UsbConnection().AvailableDevices();
        second = std::make_unique<UsbComm>();
        first->Write(Bytes("STILL OPEN"), 10);
        Emulator().QueueReply("ACK");
        first->WaitForData(3000);
        unsigned char buffer[8] = {};
        first->Read(buffer, sizeof buffer);
        EXPECT_EQ(Text(buffer), "ACK");
        Emulator().SetFault(UsbPrinterEmulator::Fault::Gone);
        std::size_t reads = Emulator().InEndpoints().size();
        std::this_thread::sleep_for(std::chrono::milliseconds(700));  // at least one more receive step
        EXPECT_EQ(Emulator().InEndpoints().size(), reads);            // submits fail; nothing is read
        first.reset();  // cancels and joins the receive thread, then releases the device
        second.reset();
    });
    EXPECT_EQ(CallerLines(c.err), "");
    EXPECT_EQ(Emulator().OutTransfers().back(), "STILL OPEN");
    EXPECT_NE(c.out.find("StartReceivingTask: Started\n"), std::string::npos);
    EXPECT_NE(c.out.find("StartReceivingTask: Stopped\n"), std::string::npos);
}

}  // namespace

// Job delivery picks the printer itself (the first listed one of a known
// vendor, or the ids asked for), writes in bulk transfers of up to 16 KiB
// while the IN endpoint is read, and counts what the printer took.
TEST_F(UsbPrinterTest, DeliveryWritesTheWholeJobOrSaysHowFarItGot) {
    std::string job;
    for (int i = 0; i < 40000; ++i) job.push_back(static_cast<char>('A' + i % 26));
    using Fault = UsbPrinterEmulator::Fault;
    struct Row {
        int vendor, product;
        Fault fault;
        std::string error;  // none: complete
        std::vector<std::size_t> transfers;
    } rows[] = {
        {-1, -1, Fault::None, "", {16384, 16384, 7232}},  // the first known printer
        {kHlv, 0x0002, Fault::None, "", {16384, 16384, 7232}},
        {kHlv, -1, Fault::StallOut, "write: Pipe error", {16384}},  // tried and refused
        {-1, -1, Fault::BusyClaim, "Failed to claim interface: Resource busy", {}},
        {-1, -1, Fault::Hold, "no byte accepted for 1 s", {16384}},  // paper out
    };
    for (const Row& row : rows) {
        Emulator().Reset();
        Emulator().SetFault(row.fault);
        Emulator().QueueReply("READY");
        quillon::DeliveryTarget target;
        target.kind = quillon::DeliveryTarget::Kind::Usb;
        target.vendorId = row.vendor;
        target.productId = row.product;
        quillon::DeliveryOptions options;
        options.stallTimeout = std::chrono::seconds(1);
        quillon::DeliveryResult r = quillon::deliver(job, target, options);
        Emulator().SetFault(Fault::None);
        bool complete = row.error.empty();
        EXPECT_EQ(r.complete, complete);
        EXPECT_EQ(r.error, row.error);
        EXPECT_EQ(r.accepted, complete ? job.size() : 0u);
        EXPECT_EQ(r.reply, row.transfers.empty() ? "" : "READY");  // read while the job is written
        std::vector<std::size_t> sizes;
        std::string received;
        for (const std::string& t : Emulator().OutTransfers()) {
            sizes.push_back(t.size());
            received += t;
        }
        EXPECT_EQ(sizes, row.transfers) << row.error;
        EXPECT_TRUE(!complete || received == job);
    }
}
