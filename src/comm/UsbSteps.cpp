#include "comm/UsbSteps.h"

namespace quillon {

libusb_device* FindUsbDevice(libusb_device** list, ssize_t count, int vendor, int product,
                             const std::function<bool(uint16_t vendor)>& matches) {
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor d;
        if (libusb_get_device_descriptor(list[i], &d) != 0) continue;
        if (vendor != -1 && d.idVendor != static_cast<uint16_t>(vendor)) continue;
        if (product != -1 && d.idProduct != static_cast<uint16_t>(product)) continue;
        if (matches && !matches(d.idVendor)) continue;
        return list[i];
    }
    return nullptr;
}

UsbStep OpenAndClaim(libusb_device* device, libusb_device_handle*& handle) {
    handle = nullptr;
    int r = libusb_open(device, &handle);
    if (r != 0 || !handle) {
        handle = nullptr;
        return {r, "Failed to open USB device: "};
    }
    libusb_detach_kernel_driver(handle, 0);  // none attached is fine
    r = libusb_claim_interface(handle, 0);
    if (r != 0) {
        libusb_close(handle);
        handle = nullptr;
        return {r, "Failed to claim interface: "};
    }
    return {};
}

UsbStep ForEachEndpoint(libusb_device* device, const std::function<void(uint8_t address)>& visit) {
    libusb_device_descriptor d;
    int r = libusb_get_device_descriptor(device, &d);
    if (r < 0) return {r, "Failed to get device descriptor: "};
    for (uint8_t c = 0; c < d.bNumConfigurations; ++c) {
        libusb_config_descriptor* config = nullptr;
        r = libusb_get_config_descriptor(device, c, &config);
        if (r < 0) return {r, "Failed to get configuration descriptor: "};
        for (int i = 0; i < config->bNumInterfaces; ++i) {
            const libusb_interface& itf = config->interface[i];
            for (int a = 0; a < itf.num_altsetting; ++a) {
                const libusb_interface_descriptor& alt = itf.altsetting[a];
                for (int e = 0; e < alt.bNumEndpoints; ++e) visit(alt.endpoint[e].bEndpointAddress);
            }
        }
        libusb_free_config_descriptor(config);
    }
    return {};
}

}  // namespace quillon
