#include <gtest/gtest.h>

#include "UsbPrinterEmulator.h"
#include "comm/VendorIds.h"
#include "quillon/Comm.h"

TEST(UsbExperiment, Basic) {
    UsbPrinterEmulator emu;
    emu.Add({0x0bda, 0x0001, {0x81}});
    emu.Add({quillon::kVendorOrlo, 0x8001, {0x81}});
    emu.Add({quillon::kVendorHlv, 0x0002, {0x81, 0x83}});
    loadListOfUsbPrinters();
    UsbConnection c;
    c.Connection({static_cast<short>(quillon::kVendorOrlo)}, -1);
    UsbComm u;
    loadListOfUsbPrinters();
    c.Connection({static_cast<short>(quillon::kVendorOrlo)}, -1);
    printf("%s\n", u.Descriptor());
    emu.QueueReply("HELLO");
    u.Open();
    std::string data(130, 'x');
    u.Write(reinterpret_cast<const unsigned char*>(data.data()), 130);
    for (auto& s : emu.OutTransfers()) printf("out %zu\n", s.size());
    unsigned char* r = u.WriteAndWaitForResponse(reinterpret_cast<const unsigned char*>("Q"), 1, 600, 600, nullptr);
    printf("reply [%s]\n", r);
}
