// USB printer listing: enumerate every device, keep the known-vendor ones,
// and remember the last of them for UsbConnection's selection.

#include <cstdlib>

#include "comm/CommGlobals.h"
#include "comm/CommText.h"
#include "comm/UsbShared.h"
#include "comm/VendorIds.h"
#include "quillon/Comm.h"

namespace {

const char* VendorName(uint16_t vendor) {
    if (vendor == quillon::kVendorOrlo) return "ORLO";
    if (vendor == quillon::kVendorHlv) return "Halvane";
    return nullptr;
}

}  // namespace

UsbConnection::UsbConnection() {
    Initialize({static_cast<short>(quillon::kVendorOrlo), static_cast<short>(quillon::kVendorHlv)}, -1);
}

void UsbConnection::Connection(const std::vector<short>& vendorIds, short productId) {
    Initialize(vendorIds, productId);
}

void UsbConnection::Initialize(const std::vector<short>& vendorIds, short productId) {
    std::lock_guard<std::mutex> cls(quillon::UsbState().mutex);
    short rememberedVendor = static_cast<short>(UsbComm::desc.idVendor);
    short rememberedProduct = static_cast<short>(UsbComm::desc.idProduct);
    for (short vendor : vendorIds) {
        // Vendor id 0 stands for "none": nothing was remembered.
        if (vendor == 0 || vendor != rememberedVendor) continue;
        if (productId == -1 || productId == rememberedProduct) {
            UsbComm::_v_id = vendor;
            UsbComm::_p_id = rememberedProduct;
        }
    }
}

std::vector<Tuple<short, short>> UsbConnection::AvailableDevices() {
    std::vector<Tuple<short, short>> all;
    {
        std::lock_guard<std::mutex> cls(quillon::UsbState().mutex);
        // The previous enumeration's list and context go first; the context
        // stays alive while a connection still has a device open in it.
        quillon::FreeDeviceList(UsbComm::device_list);
        quillon::ExitContextWhenUnused(UsbComm::ctx);
        UsbComm::ctx = nullptr;
        int r = libusb_init(&UsbComm::ctx);
        if (r != 0) {
            quillon::Warning(std::string("libusb_init failed: ") + libusb_error_name(r));
            UsbComm::ctx = nullptr;
        }
        ssize_t count = 0;
        if (UsbComm::ctx) {
            count = libusb_get_device_list(UsbComm::ctx, &UsbComm::device_list);
            if (count < 0) {
                UsbComm::device_list = nullptr;
                quillon::Warning(std::string("libusb_get_device_list failed: ") +
                                 libusb_error_name(static_cast<int>(count)));
                quillon::ExitContextWhenUnused(UsbComm::ctx);
                UsbComm::ctx = nullptr;
            }
        }
        quillon::Notice("Found " + quillon::IntToString(count) + " USB devices.");
        uint16_t knownVendor = 0;
        uint16_t knownProduct = 0;
        for (ssize_t i = 0; i < count; ++i) {
            int d = libusb_get_device_descriptor(UsbComm::device_list[i], &UsbComm::desc);
            if (d != 0) {
                quillon::Warning(std::string("libusb_get_device_descriptor failed: ") + libusb_error_name(d));
                continue;
            }
            uint16_t vendor = UsbComm::desc.idVendor;
            uint16_t product = UsbComm::desc.idProduct;
            if (quillon::IsKnownVendor(vendor)) {
                knownVendor = vendor;
                knownProduct = product;
            }
            quillon::Notice("Device " + quillon::IntToString(i) + ": Vendor ID " +
                            quillon::IntToString(vendor) + ", Product ID " + quillon::IntToString(product));
            all.emplace_back(static_cast<short>(vendor), static_cast<short>(product));
        }
        UsbComm::desc.idVendor = knownVendor;
        UsbComm::desc.idProduct = knownProduct;
    }
    return FilterDevices(std::move(all));
}

std::vector<Tuple<short, short>> UsbConnection::FilterDevices(std::vector<Tuple<short, short>> allUsbDevice) {
    std::vector<Tuple<short, short>> known;
    for (const auto& device : allUsbDevice) {
        if (quillon::IsKnownVendor(static_cast<uint16_t>(device.Item1))) known.push_back(device);
    }
    return known;
}

int GetAvailableDevices(Tuple_c** devicesOut, int* count) {
    std::vector<Tuple<short, short>> known = gUsbConnection.AvailableDevices();
    Tuple_c* array = nullptr;
    if (!known.empty()) {
        array = static_cast<Tuple_c*>(std::malloc(known.size() * sizeof(Tuple_c)));
        if (array) {
            for (std::size_t i = 0; i < known.size(); ++i) array[i] = Tuple_c{known[i].Item1, known[i].Item2};
        }
    }
    if (devicesOut) *devicesOut = array;
    if (count) *count = array ? static_cast<int>(known.size()) : 0;
    if (!devicesOut) std::free(array);
    return 0;
}

void loadListOfUsbPrinters() {
    std::free(devices);
    devices = nullptr;
    int count = 0;
    GetAvailableDevices(&devices, &count);
    quillon::Notice("Number of devices: " + quillon::IntToString(count));
    for (int i = 0; i < count; ++i) {
        uint16_t vendor = static_cast<uint16_t>(devices[i].Item1);
        uint16_t product = static_cast<uint16_t>(devices[i].Item2);
        quillon::Notice("Device " + quillon::IntToString(i) + ": VendorID= 0x" + quillon::Hex(vendor) +
                        " ProductID= 0x" + quillon::Hex(product));
        if (const char* name = VendorName(vendor); name && quillon::IsKnownVendor(vendor)) {
            quillon::Notice(std::string(name) + ", 0x" + quillon::Hex(vendor) + ", 0x" +
                            quillon::Hex(product));
        }
    }
}
