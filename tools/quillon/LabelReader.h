#ifndef QUILLON_TOOLS_LABELREADER_H
#define QUILLON_TOOLS_LABELREADER_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "InputSource.h"
#include "LabelInput.h"

namespace quillon::cli {

// Labels read and checked ahead of the renderer, in input order.
struct LabelBatch {
    std::vector<Record> records;
    std::uint64_t bytes = 0;  // input consumed when the batch was closed
};

// Reads and checks the labels of an input on a thread of its own and hands
// them over in batches, so that parsing the next labels overlaps rendering
// these. The reader never prints: every record, good or bad, reaches the
// caller in input order, which keeps the messages exactly as a single
// thread would give them.
class LabelReader {
  public:
    // One handover per 128 labels keeps the locking cost per label small
    // while the renderer still starts on the first labels at once.
    static constexpr std::size_t kBatchSize = 128;

    // Starts reading `fd` (not owned); `name` names the input in messages;
    // `language` (unless Unset) overrides the labels' own.
    LabelReader(int fd, std::string name, Language language);
    ~LabelReader();  // stops the reader and waits for it
    LabelReader(const LabelReader&) = delete;
    LabelReader& operator=(const LabelReader&) = delete;

    // The next batch in place of `batch`, whose labels go back to the
    // reader to be freed by the thread that allocated them; false once the
    // input is exhausted.
    bool Next(LabelBatch& batch);
    // No more labels are wanted; wakes the reader wherever it waits.
    void Stop();
    // Stops the reader and waits for its thread to end.
    void Close();
    // Time the reader spent reading and checking (not waiting for the
    // renderer to take a batch); final once Next returned false.
    std::chrono::steady_clock::duration Busy() const;

  private:
    // Batches read ahead at most: enough to ride out an uneven label.
    static constexpr std::size_t kMaxQueued = 8;

    void Run();
    bool Hand(LabelBatch& batch);

    InputSource _source;
    std::string _name;
    Language _language;
    mutable std::mutex _mutex;
    std::condition_variable _ready;  // a batch is queued or the reader is done
    std::condition_variable _room;   // a batch was taken or the reader was stopped
    std::deque<LabelBatch> _queue;
    std::vector<LabelBatch> _spent;  // handled batches, back to the reader
    bool _done = false;
    bool _stopped = false;
    std::atomic<bool> _stopRequested{false};  // `_stopped`, read without the lock
    std::chrono::steady_clock::duration _waited{};
    std::chrono::steady_clock::duration _busy{};
    std::thread _thread;
};

}  // namespace quillon::cli

#endif
