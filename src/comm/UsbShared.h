#ifndef QUILLON_COMM_USBSHARED_H
#define QUILLON_COMM_USBSHARED_H

// State shared by the USB connection and the USB listing: the lock of the
// class-wide fields (ctx, device_list, desc, _v_id, _p_id, EndpointAddrIn)
// and the count of open device handles per libusb context, so that a context
// is exited only once no handle uses it.

#include <libusb.h>

#include <map>
#include <mutex>

namespace quillon {

struct UsbClassState {
    std::mutex mutex;
    struct Use {
        int handles = 0;
        bool exitRequested = false;
    };
    std::map<libusb_context*, Use> uses;
};

// Constructed by the first UsbComm constructor, so it outlives every
// connection object of static storage duration.
UsbClassState& UsbState();

// The following expect UsbState().mutex to be held.
void RetainContext(libusb_context* ctx);
void ReleaseContext(libusb_context* ctx);
// Exits ctx now, or when the last handle opened in it is closed.
void ExitContextWhenUnused(libusb_context* ctx);
// Frees a device list (unreferencing the devices) and clears the pointer.
void FreeDeviceList(libusb_device**& list);

}  // namespace quillon

#endif
