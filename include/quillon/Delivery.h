#ifndef QUILLON_DELIVERY_H
#define QUILLON_DELIVERY_H

// Delivery of a whole print job to a printer over TCP, a serial line,
// Bluetooth RFCOMM or USB.
//
// quillon::deliver either gets every byte of the job to the printer or says
// how many bytes the printer accepted and why the rest did not go. It never
// blocks without a bound: connecting, every pause of the printer and the
// wait for the printer to close each have a time limit. Whatever the printer
// sends while the job is written is read (so a chatty printer can never
// block the job) and kept up to a limit, with its true length.
//
// "Accepted" means, by connection kind:
//  - TCP: acknowledged by the printer's network stack. A job that stops is
//    aborted with a reset, so no byte beyond the count arrives later.
//  - serial: written to the line and transmitted (the driver's output queue
//    is not counted); bytes still queued when the job stops are discarded.
//  - Bluetooth: handed to the host's RFCOMM layer, less what it still queues.
//  - USB: taken by the printer's bulk OUT endpoint.
//
// Unlike the connection classes of Comm.h, delivery keeps no process-wide
// state: calls on different threads do not interfere, and nothing is
// printed. Errors are returned, never thrown (std::bad_alloc aside).

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "quillon/Export.h"

namespace quillon {

struct DeliveryTarget {
    enum class Kind { Tcp, Serial, Bluetooth, Usb };
    Kind kind = Kind::Tcp;

    // TCP: a host name, an IPv4 address or an IPv6 address (with "%iface"
    // for a link-local one), resolved with getaddrinfo; every address it
    // resolves to is tried in order.
    std::string host;
    int port = 9100;

    // Serial: the device path and line speed (9600 to 921600), raw 8N1.
    std::string device;
    int baud = 9600;

    // Bluetooth: the device address in the low 48 bits (0x001122334455 is
    // 00:11:22:33:44:55) and the RFCOMM channel.
    std::uint64_t address = 0;
    int channel = 1;

    // USB: vendor and product id; -1 for the vendor takes the first
    // attached printer of a known vendor, -1 for the product any product.
    int vendorId = -1;
    int productId = -1;
};

struct DeliveryOptions {
    // Longest wait for the connection to be made.
    std::chrono::milliseconds connectTimeout{10000};
    // The job stops when the printer accepts no byte for this long.
    std::chrono::milliseconds stallTimeout{30000};
    // TCP and Bluetooth: once every byte is accepted, the sending side is
    // shut and the printer is given this long to close its side, while its
    // reply is read. Serial and USB have no such signal: what the printer
    // has sent by the end of the job is its reply.
    std::chrono::milliseconds closeTimeout{2000};
    // Bytes of the printer's reply that are kept; the rest is counted only.
    std::size_t replyLimit = 64 * 1024;
};

struct DeliveryResult {
    // True when every byte of the job was accepted.
    bool complete = false;
    // Bytes of the job the printer accepted (see above).
    std::uint64_t accepted = 0;
    // Why the job stopped: what failed and the system's error text, such as
    // "send: Connection reset by peer" or "no byte accepted for 30 s".
    // Empty when complete.
    std::string error;
    // The system error number behind `error`, ETIMEDOUT for a time limit, 0
    // when there is none.
    int errorCode = 0;
    // The first replyLimit bytes the printer sent, zero bytes included, and
    // how many it sent in all.
    std::string reply;
    std::uint64_t replyBytes = 0;
};

// Sends `bytes` to the printer at `target`. Safe to call from several
// threads at once.
QUILLON_API DeliveryResult deliver(std::string_view bytes, const DeliveryTarget& target,
                                   const DeliveryOptions& options = {});

}  // namespace quillon

#endif
