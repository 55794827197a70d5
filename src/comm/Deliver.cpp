// Job delivery: the result bookkeeping shared by the connection kinds.

#include <algorithm>
#include <cerrno>
#include <new>

#include "comm/CommText.h"
#include "comm/DeliveryJob.h"

namespace quillon {

void DeliveryJob::Reply(const char* data, std::size_t size) {
    std::size_t room = _options.replyLimit - std::min(_options.replyLimit, _result.reply.size());
    _result.reply.append(data, std::min(room, size));
    _result.replyBytes += size;
}

bool DeliveryJob::Progress(std::uint64_t accepted) {
    auto now = Clock::now();
    if (accepted > _accepted) {
        _accepted = accepted;
        _lastProgress = now;
        return true;
    }
    if (now - _lastProgress < _options.stallTimeout) return true;
    return Fail("no byte accepted for " + Duration(_options.stallTimeout), ETIMEDOUT);
}

std::chrono::milliseconds DeliveryJob::UntilStall() const {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(_lastProgress + _options.stallTimeout -
                                                                      Clock::now());
    return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

bool DeliveryJob::Fail(std::string what, int code) {
    if (_result.error.empty()) {
        _result.error = std::move(what);
        _result.errorCode = code;
    }
    _result.complete = false;
    return false;
}

bool DeliveryJob::FailOs(const std::string& operation, int err) {
    return Fail(operation + ": " + ErrnoText(err), err);
}

void DeliveryJob::Complete() {
    _result.complete = true;
    _result.accepted = _bytes.size();
}

std::string Duration(std::chrono::milliseconds limit) {
    auto ms = limit.count();
    if (ms % 1000 == 0) return IntToString(ms / 1000) + " s";
    return IntToString(ms) + " ms";
}

DeliveryResult deliver(std::string_view bytes, const DeliveryTarget& target, const DeliveryOptions& options) {
    DeliveryResult result;
    DeliveryJob job(bytes, options, result);
    if (target.kind == DeliveryTarget::Kind::Usb) {
        DeliverToUsb(job, target);
    } else {
        DeliverToStream(job, target);
    }
    return result;
}

}  // namespace quillon
