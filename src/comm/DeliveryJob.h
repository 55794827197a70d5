#ifndef QUILLON_COMM_DELIVERYJOB_H
#define QUILLON_COMM_DELIVERYJOB_H

// The state of one delivery, whatever the connection kind: the job, how far
// the printer has come, the stall clock and the reply.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "quillon/Delivery.h"

namespace quillon {

class DeliveryJob {
  public:
    using Clock = std::chrono::steady_clock;

    DeliveryJob(std::string_view bytes, const DeliveryOptions& options, DeliveryResult& result)
        : _bytes(bytes), _options(options), _result(result), _lastProgress(Clock::now()) {}

    std::string_view Bytes() const { return _bytes; }
    const DeliveryOptions& Options() const { return _options; }

    // Keeps the printer's bytes up to the reply limit and counts them all.
    void Reply(const char* data, std::size_t size);

    // Notes how many bytes the printer has accepted so far. Returns false,
    // with the job failed, once it accepted none for the stall timeout.
    bool Progress(std::uint64_t accepted);
    // How long the stall clock has left, at least 0.
    std::chrono::milliseconds UntilStall() const;

    // Ends the job as failed with `what`; returns false for use in conditions.
    bool Fail(std::string what, int code);
    // "<operation>: <the system's text for err>".
    bool FailOs(const std::string& operation, int err);
    // Every byte accepted.
    void Complete();

    DeliveryResult& Result() { return _result; }

  private:
    std::string_view _bytes;
    const DeliveryOptions& _options;
    DeliveryResult& _result;
    std::uint64_t _accepted = 0;
    Clock::time_point _lastProgress;
};

// "<n> s" or "<n> ms" for a time limit in a message.
std::string Duration(std::chrono::milliseconds limit);

// Each connection kind. They fill the result and never throw.
void DeliverToStream(DeliveryJob& job, const DeliveryTarget& target);
void DeliverToUsb(DeliveryJob& job, const DeliveryTarget& target);

}  // namespace quillon

#endif
