#include "UsbPrinterEmulator.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <stdexcept>

// Every URB completes when it is submitted and waits only to be reaped.
struct UsbPrinterEmulator::Urb {
    UMockdevIoctlClient* client;
    UMockdevIoctlData* urb;
    UMockdevIoctlData* buffer;
    void* address;  // of the URB in the client, as a discard names it
    ~Urb() {
        g_object_unref(urb);
        if (buffer) g_object_unref(buffer);
    }
};

namespace {

std::vector<uint8_t> Descriptors(const UsbPrinterEmulator::Device& d) {
    uint8_t endpoints = static_cast<uint8_t>(1 + d.inEndpoints.size());
    uint16_t total = static_cast<uint16_t>(9 + 9 + 7 * endpoints);
    auto lo = [](uint16_t v) { return static_cast<uint8_t>(v & 0xff); };
    auto hi = [](uint16_t v) { return static_cast<uint8_t>(v >> 8); };
    // clang-format off
    std::vector<uint8_t> bytes = {
        18, 1, 0x00, 0x02, 0, 0, 0, 64, lo(d.vendor), hi(d.vendor), lo(d.product), hi(d.product), 0x00, 0x01, 0, 0, 0, 1,
        9, 2, lo(total), hi(total), 1, 1, 0, 0xc0, 50,
        9, 4, 0, 0, endpoints, 7, 1, 2, 0,  // interface 0: printer class, bidirectional protocol
        7, 5, 0x01, 2, 64, 0, 0};
    // clang-format on
    for (uint8_t in : d.inEndpoints) bytes.insert(bytes.end(), {7, 5, in, 2, 64, 0, 0});
    return bytes;
}

}  // namespace

UsbPrinterEmulator::UsbPrinterEmulator() : _testbed(umockdev_testbed_new()) {
    if (!umockdev_in_mock_environment()) throw std::runtime_error("not running under umockdev-wrapper");
}

UsbPrinterEmulator::~UsbPrinterEmulator() {
    for (Urb* u : _urbs) delete u;
    for (Urb* u : _held) delete u;
    for (auto* h : _handlers) g_object_unref(h);
    g_object_unref(_testbed);
}

void UsbPrinterEmulator::Add(const Device& device) {
    int number = static_cast<int>(_handlers.size()) + 2;
    char node[32];
    std::snprintf(node, sizeof node, "bus/usb/001/%03d", number);
    std::string devname = std::string("/dev/") + node;
    std::string hex;
    for (uint8_t b : Descriptors(device)) hex += HexText(b, 2);
    // A umockdev device record: N creates the device node, H is a binary attribute.
    std::string record = "P: /devices/usb1/1-" + std::to_string(number) + "\n" + "N: " + node + "\n" +
                         "E: DEVNAME=" + devname + "\nE: DEVTYPE=usb_device\nE: SUBSYSTEM=usb\n" +
                         "E: BUSNUM=001\nE: DEVNUM=" + std::string(node + 12) + "\n" +
                         "A: idVendor=" + HexText(device.vendor, 4) +
                         "\nA: idProduct=" + HexText(device.product, 4) + "\n" +
                         "A: busnum=1\nA: devnum=" + std::to_string(number) + "\nA: speed=480\n" +
                         "A: bConfigurationValue=1\nA: bNumConfigurations=1\n" +
                         "A: dev=189:" + std::to_string(number - 1) + "\nH: descriptors=" + hex + "\n";
    GError* error = nullptr;
    UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
    _handlers.push_back(handler);
    g_signal_connect(handler, "handle-ioctl", G_CALLBACK(&UsbPrinterEmulator::OnIoctl), this);
    g_signal_connect(handler, "client-vanished", G_CALLBACK(&UsbPrinterEmulator::OnVanished), this);
    if (!umockdev_testbed_add_from_string(_testbed, record.c_str(), &error) ||
        !umockdev_testbed_attach_ioctl(_testbed, devname.c_str(), handler, &error)) {
        std::string message = error ? error->message : "cannot add " + devname;
        g_clear_error(&error);
        throw std::runtime_error(message);
    }
}

void UsbPrinterEmulator::QueueReply(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(_mutex);
    _replies.push_back(bytes);
}

void UsbPrinterEmulator::SetFault(Fault fault) {
    std::lock_guard<std::mutex> lock(_mutex);
    _fault = fault;
}

void UsbPrinterEmulator::Reset() {
    std::lock_guard<std::mutex> lock(_mutex);
    _fault = Fault::None;
    _replies.clear();
    _out.clear();
    _inEndpoints.clear();
    _claims = _releases = 0;
}

int UsbPrinterEmulator::OnIoctl(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    return static_cast<UsbPrinterEmulator*>(self)->HandleIoctl(client);
}

void UsbPrinterEmulator::OnVanished(_UMockdevIoctlBase*, _UMockdevIoctlClient* client, void* self) {
    // Closing the device file releases its interface and drops its URBs, as the kernel does.
    auto* emulator = static_cast<UsbPrinterEmulator*>(self);
    std::lock_guard<std::mutex> lock(emulator->_mutex);
    for (auto& claim : emulator->_claimedBy) {
        if (claim.second == client) claim.second = nullptr;
    }
    for (auto* urbs : {&emulator->_urbs, &emulator->_held})
        urbs->erase(std::remove_if(urbs->begin(), urbs->end(),
                                   [client](Urb* u) {
                                       if (u->client != client) return false;
                                       delete u;
                                       return true;
                                   }),
                    urbs->end());
}

int UsbPrinterEmulator::HandleIoctl(_UMockdevIoctlClient* client) {
    std::lock_guard<std::mutex> lock(_mutex);
    gulong request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    auto complete = [client](long result, int err) {
        umockdev_ioctl_client_complete(client, result, err);
        return TRUE;
    };
    if (request == USBDEVFS_REAPURBNDELAY || request == USBDEVFS_REAPURB) {
        // Already submitted URBs can still be reaped after an unplug.
        for (auto it = _urbs.begin(); it != _urbs.end(); ++it) {
            Urb* u = *it;
            if (u->client != client) continue;
            // The argument points at the client's URB pointer, which is set
            // to the reaped URB (synced back with the URB and its buffer).
            UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
            umockdev_ioctl_data_set_ptr(slot, 0, u->urb);
            complete(0, 0);
            g_object_unref(slot);
            delete u;
            _urbs.erase(it);
            return TRUE;
        }
        return complete(-1, EAGAIN);
    }
    if (_fault == Fault::Gone) return complete(-1, ENODEV);
    switch (request) {
        case USBDEVFS_GET_CAPABILITIES: {
            UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(arg, 0, sizeof(uint32_t), nullptr);
            uint32_t value = USBDEVFS_CAP_NO_PACKET_SIZE_LIM;  // one URB per transfer
            std::memcpy(caps->data, &value, sizeof value);
            complete(0, 0);
            g_object_unref(caps);
            return TRUE;
        }
        case USBDEVFS_CLAIMINTERFACE: {
            _UMockdevIoctlClient*& owner = _claimedBy[umockdev_ioctl_client_get_devnode(client)];
            if (_fault == Fault::BusyClaim || (owner && owner != client)) return complete(-1, EBUSY);
            owner = client;
            ++_claims;
            return complete(0, 0);
        }
        case USBDEVFS_RELEASEINTERFACE: {
            _UMockdevIoctlClient*& owner = _claimedBy[umockdev_ioctl_client_get_devnode(client)];
            if (owner == client) owner = nullptr;
            ++_releases;
            return complete(0, 0);
        }
        case USBDEVFS_SUBMITURB: {
            void* address = nullptr;  // before resolving, which points the argument at our copy
            std::memcpy(&address, arg->data, sizeof address);
            UMockdevIoctlData* data = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
            auto* urb = reinterpret_cast<usbdevfs_urb*>(data->data);
            UMockdevIoctlData* buffer = nullptr;
            if (urb->buffer_length > 0) {
                buffer = umockdev_ioctl_data_resolve(data, offsetof(usbdevfs_urb, buffer),
                                                     static_cast<gsize>(urb->buffer_length), nullptr);
            }
            auto* u = new Urb{client, data, buffer, address};
            urb->status = 0;
            urb->actual_length = 0;
            if (!(urb->endpoint & 0x80)) {
                _out.emplace_back(buffer ? reinterpret_cast<const char*>(buffer->data) : "",
                                  static_cast<std::size_t>(urb->buffer_length));
                if (_fault == Fault::StallOut) {
                    urb->status = -EPIPE;
                } else if (_fault == Fault::Hold) {
                    _held.push_back(u);
                    return complete(0, 0);
                } else {
                    urb->actual_length = urb->buffer_length;
                }
            } else {
                _inEndpoints.push_back(urb->endpoint);
                if (!_replies.empty()) {
                    std::string reply = _replies.front();
                    _replies.pop_front();
                    std::size_t n = std::min(reply.size(), static_cast<std::size_t>(urb->buffer_length));
                    if (n) std::memcpy(buffer->data, reply.data(), n);
                    urb->actual_length = static_cast<int>(n);
                }
                // Nothing queued: a zero-length packet, so an idle read ends at once.
            }
            _urbs.push_back(u);
            return complete(0, 0);
        }
        case USBDEVFS_DISCARDURB: {  // a held URB completes as cancelled; any other has completed already
            void* address = nullptr;
            std::memcpy(&address, arg->data, sizeof address);
            auto held =
                std::find_if(_held.begin(), _held.end(), [&](Urb* u) { return u->address == address; });
            if (held == _held.end()) return complete(-1, EINVAL);
            reinterpret_cast<usbdevfs_urb*>((*held)->urb->data)->status = -ENOENT;
            _urbs.push_back(*held);
            _held.erase(held);
            return complete(0, 0);
        }
        default:
            // No kernel driver to detach, and nothing else is emulated.
            if (request == USBDEVFS_IOCTL || request == USBDEVFS_GETDRIVER) return complete(-1, ENODATA);
            return complete(-1, ENOTTY);
    }
}
