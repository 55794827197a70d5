#include "LabelReader.h"

#include <cstring>
#include <utility>

namespace quillon::cli {

LabelReader::LabelReader(int fd, std::string name, const Overrides& overrides, bool threaded)
    : _source(fd), _name(std::move(name)), _overrides(overrides), _threaded(threaded) {
    if (threaded)
        _thread = std::thread([this] { Run(); });
    else
        Run();
}

LabelReader::~LabelReader() {
    Close();
}

void LabelReader::Close() {
    Stop();
    if (_thread.joinable()) _thread.join();
}

void LabelReader::Stop() {
    _stopRequested.store(true, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _stopped = true;
    }
    _room.notify_all();
    _source.Cancel();
}

bool LabelReader::Next(LabelBatch& batch) {
    std::unique_lock<std::mutex> lock(_mutex);
    // Freeing memory another thread allocated costs more than freeing it
    // there, so the reader frees it, while it would otherwise wait.
    if (!batch.empty() && !_done) _spent.push_back(std::move(batch));
    _ready.wait(lock, [this] { return !_queue.empty() || _done; });
    if (_queue.empty()) return false;
    batch = std::move(_queue.front());
    _queue.pop_front();
    lock.unlock();
    _room.notify_one();
    return true;
}

bool LabelReader::Hand(LabelBatch& batch) {
    std::unique_lock<std::mutex> lock(_mutex);
    _room.wait(lock, [this] { return _stopped || !_threaded || _queue.size() < kMaxQueued; });
    if (_stopped) return false;
    _queue.push_back(std::move(batch));
    std::vector<LabelBatch> spent;
    spent.swap(_spent);
    lock.unlock();
    _ready.notify_one();
    batch = spent.empty() ? LabelBatch() : std::move(spent.back());
    batch.clear();
    batch.reserve(kBatchSize);
    return true;
}

void LabelReader::Run() {
    LabelBatch batch;
    batch.reserve(kBatchSize);
    bool more = true;
    // A label that has arrived is not held back while the input is slow:
    // its message must not wait for the next 127 labels.
    _source.OnWait([&] {
        if (more && !batch.empty()) more = Hand(batch);
    });
    auto handle = [&](Record& r) {
        if (!more || _stopRequested.load(std::memory_order_relaxed)) return more = false;
        batch.push_back(std::move(r));
        if (batch.size() < kBatchSize) return true;
        more = Hand(batch);
        return more;
    };
    ReadLabels(_source, _name, _overrides, handle);
    // A failed read ends the input like its end would; the labels before it
    // still count, and the failure is the last thing reported.
    if (more && _source.Error() != 0) {
        Record r;
        r.error = _name + ": " + std::strerror(_source.Error());
        handle(r);
    }
    if (more && !batch.empty()) Hand(batch);
    _source.OnWait(nullptr);  // it refers to this function's locals
    std::lock_guard<std::mutex> lock(_mutex);
    _done = true;
    _ready.notify_all();
}

}  // namespace quillon::cli
