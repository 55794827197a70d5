// The printer transports: the library's job delivery, used as any host
// program uses it.

#include <algorithm>
#include <chrono>

#include "Target.h"
#include "quillon/Delivery.h"

namespace quillon::cli {
namespace {

quillon::DeliveryTarget DeliveryTargetOf(const Target& t) {
    quillon::DeliveryTarget d;
    switch (t.kind) {
        case Target::Kind::Tcp:
            d.kind = quillon::DeliveryTarget::Kind::Tcp;
            d.host = t.host;
            d.port = t.port;
            break;
        case Target::Kind::Serial:
            d.kind = quillon::DeliveryTarget::Kind::Serial;
            d.device = t.device;
            d.baud = t.baud;
            break;
        case Target::Kind::Bluetooth:
            d.kind = quillon::DeliveryTarget::Kind::Bluetooth;
            d.address = t.mac;
            d.channel = t.channel;
            break;
        case Target::Kind::Usb:
        case Target::Kind::Stdout:
            d.kind = quillon::DeliveryTarget::Kind::Usb;
            d.vendorId = t.vendorId;
            d.productId = t.productId;
            break;
    }
    return d;
}

class PrinterTransport : public Transport {
  public:
    PrinterTransport(const Target& target, const SendLimits& options) : _target(DeliveryTargetOf(target)) {
        auto limit = std::chrono::milliseconds(static_cast<long long>(options.timeoutSeconds * 1000));
        _options.connectTimeout = limit;
        _options.stallTimeout = limit;
        _options.closeTimeout = std::min(limit, _options.closeTimeout);
    }
    SendOutcome Send(const std::string& bytes) override {
        quillon::DeliveryResult r = quillon::deliver(bytes, _target, _options);
        SendOutcome outcome;
        outcome.complete = r.complete;
        outcome.accepted = r.accepted;
        outcome.error = r.error;
        outcome.reply = std::move(r.reply);
        outcome.replyBytes = r.replyBytes;
        return outcome;
    }

  private:
    quillon::DeliveryTarget _target;
    quillon::DeliveryOptions _options;
};

}  // namespace

std::unique_ptr<Transport> OpenPrinterTransport(const Target& target, const SendLimits& options) {
    return std::make_unique<PrinterTransport>(target, options);
}

}  // namespace quillon::cli
