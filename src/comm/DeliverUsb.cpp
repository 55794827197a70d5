// Job delivery to a USB printer: bulk OUT transfers of up to 16 KiB, each
// bounded by the stall timeout, while one bulk IN transfer stays submitted
// to take what the printer sends. The sync transfers run libusb's event
// loop, which completes the IN transfer on this same thread.

#include <libusb.h>

#include <cerrno>
#include <chrono>
#include <vector>

#include "comm/CommText.h"
#include "comm/DeliveryJob.h"
#include "comm/UsbSteps.h"
#include "comm/VendorIds.h"

namespace quillon {
namespace {

constexpr int kChunk = 16 * 1024;
constexpr int kReplyBuffer = 16 * 1024;
constexpr unsigned char kDefaultOut = 0x01;
// Cancelling a transfer completes it within a few event loop passes; this
// only bounds a device that misbehaves.
constexpr std::chrono::seconds kCancelWait{5};

int ErrnoOf(int libusbError) {
    switch (libusbError) {
        case LIBUSB_ERROR_ACCESS:
            return EACCES;
        case LIBUSB_ERROR_NO_DEVICE:
        case LIBUSB_ERROR_NOT_FOUND:
            return ENODEV;
        case LIBUSB_ERROR_BUSY:
            return EBUSY;
        case LIBUSB_ERROR_TIMEOUT:
            return ETIMEDOUT;
        case LIBUSB_ERROR_PIPE:
            return EPIPE;
        case LIBUSB_ERROR_NO_MEM:
            return ENOMEM;
        default:
            return EIO;
    }
}

std::string Hex4(int value) {
    std::string digits = Hex(static_cast<unsigned>(value) & 0xFFFF);
    return std::string(4 - digits.size(), '0') + digits;
}

class UsbDelivery {
  public:
    explicit UsbDelivery(DeliveryJob& job) : _job(job), _replyBuffer(kReplyBuffer) {}
    ~UsbDelivery() {
        StopListening();
        if (_handle) {
            libusb_release_interface(_handle, 0);
            libusb_close(_handle);
        }
        if (_ctx) libusb_exit(_ctx);
    }
    UsbDelivery(const UsbDelivery&) = delete;
    UsbDelivery& operator=(const UsbDelivery&) = delete;

    void Run(const DeliveryTarget& target) {
        if (!Open(target)) return;
        StartListening();
        if (WriteAll()) {
            _job.Complete();
        } else {
            _job.Result().accepted = _accepted;
        }
        // What already arrived belongs to the reply.
        timeval none{0, 0};
        libusb_handle_events_timeout_completed(_ctx, &none, nullptr);
    }

  private:
    bool Fail(const std::string& what, int libusbError) {
        return _job.Fail(what + libusb_strerror(libusbError), ErrnoOf(libusbError));
    }

    bool Open(const DeliveryTarget& target) {
        int r = libusb_init(&_ctx);
        if (r != 0) {
            _ctx = nullptr;
            return Fail("libusb_init: ", r);
        }
        libusb_device** list = nullptr;
        ssize_t count = libusb_get_device_list(_ctx, &list);
        if (count < 0) return Fail("libusb_get_device_list: ", static_cast<int>(count));
        std::function<bool(uint16_t)> known;
        if (target.vendorId == -1) known = IsKnownVendor;
        libusb_device* device = FindUsbDevice(list, count, target.vendorId, target.productId, known);
        UsbStep step;
        if (device) step = OpenAndClaim(device, _handle);
        libusb_free_device_list(list, 1);
        if (!device) {
            std::string which = target.vendorId == -1
                                    ? "printer of a known vendor"
                                    : "device " + Hex4(target.vendorId) + ":" +
                                          (target.productId == -1 ? "*" : Hex4(target.productId));
            return _job.Fail("no USB " + which + " is attached", ENODEV);
        }
        if (!step.Ok()) return Fail(step.failure, step.result);
        step = ForEachEndpoint(libusb_get_device(_handle), [this](uint8_t address) {
            if (address & 0x80) {
                _in = address;  // the last IN endpoint, as UsbComm reads
            } else if (!_out) {
                _out = address;
            }
        });
        if (!step.Ok()) return Fail(step.failure, step.result);
        if (!_out) _out = kDefaultOut;
        return true;
    }

    bool WriteAll() {
        std::string_view bytes = _job.Bytes();
        auto timeout = static_cast<unsigned>(_job.Options().stallTimeout.count());
        while (_accepted < bytes.size()) {
            int size = static_cast<int>(std::min<std::uint64_t>(kChunk, bytes.size() - _accepted));
            auto* data = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data() + _accepted));
            int transferred = 0;
            int r = libusb_bulk_transfer(_handle, _out, data, size, &transferred, timeout);
            _accepted += static_cast<std::uint64_t>(transferred > 0 ? transferred : 0);
            if (r == 0 || (r == LIBUSB_ERROR_TIMEOUT && transferred > 0)) continue;
            if (r == LIBUSB_ERROR_TIMEOUT) {
                return _job.Fail("no byte accepted for " + Duration(_job.Options().stallTimeout), ETIMEDOUT);
            }
            return Fail("write: ", r);
        }
        return true;
    }

    static void LIBUSB_CALL OnReply(libusb_transfer* transfer) {
        auto* self = static_cast<UsbDelivery*>(transfer->user_data);
        if (transfer->status == LIBUSB_TRANSFER_COMPLETED && transfer->actual_length > 0) {
            self->_job.Reply(reinterpret_cast<const char*>(transfer->buffer),
                             static_cast<std::size_t>(transfer->actual_length));
        }
        bool again = !self->_stopping && (transfer->status == LIBUSB_TRANSFER_COMPLETED ||
                                          transfer->status == LIBUSB_TRANSFER_TIMED_OUT);
        self->_listening = again && libusb_submit_transfer(transfer) == 0;
    }

    // A printer without an IN endpoint says nothing; one whose IN transfer
    // cannot be submitted is written to all the same.
    void StartListening() {
        if (!_in || !(_reply = libusb_alloc_transfer(0))) return;
        libusb_fill_bulk_transfer(_reply, _handle, _in, _replyBuffer.data(), kReplyBuffer, OnReply, this, 0);
        _listening = libusb_submit_transfer(_reply) == 0;
    }

    void StopListening() {
        if (!_reply) return;
        _stopping = true;
        if (_listening) libusb_cancel_transfer(_reply);
        auto deadline = std::chrono::steady_clock::now() + kCancelWait;
        while (_listening && std::chrono::steady_clock::now() < deadline) {
            timeval tick{0, 100 * 1000};
            libusb_handle_events_timeout_completed(_ctx, &tick, nullptr);
        }
        // A transfer still in flight must outlive the handle's close.
        if (!_listening) libusb_free_transfer(_reply);
        _reply = nullptr;
    }

    DeliveryJob& _job;
    libusb_context* _ctx = nullptr;
    libusb_device_handle* _handle = nullptr;
    uint8_t _in = 0;
    uint8_t _out = 0;
    std::uint64_t _accepted = 0;
    libusb_transfer* _reply = nullptr;
    bool _listening = false;
    bool _stopping = false;
    std::vector<unsigned char> _replyBuffer;
};

}  // namespace

void DeliverToUsb(DeliveryJob& job, const DeliveryTarget& target) {
    UsbDelivery(job).Run(target);
}

}  // namespace quillon
