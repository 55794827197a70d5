#ifndef QUILLON_COMM_USBSTEPS_H
#define QUILLON_COMM_USBSTEPS_H

// The steps of opening a USB printer, shared by UsbComm::Open and job
// delivery: find the device, open it and claim interface 0, walk its
// endpoints.

#include <libusb.h>

#include <cstdint>
#include <functional>

namespace quillon {

// The libusb result of a step and, when it failed, the start of the line
// that names the step ("Failed to claim interface: ").
struct UsbStep {
    int result = 0;
    const char* failure = nullptr;
    bool Ok() const { return failure == nullptr; }
};

// The first listed device of `vendor` (and `product`, unless it is -1), or
// null. `matches` may further narrow the choice.
libusb_device* FindUsbDevice(libusb_device** list, ssize_t count, int vendor, int product,
                             const std::function<bool(uint16_t vendor)>& matches = {});

// Opens the device, detaches any kernel driver from interface 0 and claims
// it. On failure nothing is left open and `handle` is null.
UsbStep OpenAndClaim(libusb_device* device, libusb_device_handle*& handle);

// Calls `visit` with the address of every endpoint of every alternate setting
// of every interface of every configuration, in that order.
UsbStep ForEachEndpoint(libusb_device* device, const std::function<void(uint8_t address)>& visit);

}  // namespace quillon

#endif
