#ifndef QUILLON_TOOLS_LABELREADER_H
#define QUILLON_TOOLS_LABELREADER_H

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "InputSource.h"
#include "Label.h"

namespace quillon::cli {

// One label of an input, or why it could not be read.
struct Record {
    std::size_t index = 0;                  // 0-based label number
    std::size_t line = 0;                   // 1-based line where the record starts (0: unknown)
    bool batch = false;                     // the input is an array or JSON Lines
    std::optional<LabelDescription> label;  // empty when `error` is set
    std::string error;                      // "FILE:LINE:COL: ..." or "FILE: label 3: objects[0].x: ..."
};

// Return false to stop reading. The handler may move the label away.
using RecordHandler = std::function<bool(Record&)>;

// Reads one label object, an array of labels or JSON Lines from `in`,
// calling `handle` for each label as soon as it is read; `name` names the
// input in messages. False when the input as a whole is unreadable (that
// error has been handled too).
bool ReadLabels(InputSource& in, const std::string& name, const Overrides& overrides,
                const RecordHandler& handle);

// Labels read and checked ahead of the renderer, in input order.
using LabelBatch = std::vector<Record>;

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

    // Starts reading `fd` (not owned); `name` names the input in messages.
    // Not `threaded`: the whole input is read here, before the first Next,
    // which costs a job of one label less than starting a thread.
    LabelReader(int fd, std::string name, const Overrides& overrides, bool threaded = true);
    ~LabelReader();  // stops the reader and waits for it

    // The next batch in place of `batch`, whose labels go back to the
    // reader to be freed by the thread that allocated them; false once the
    // input is exhausted.
    bool Next(LabelBatch& batch);
    // No more labels are wanted; wakes the reader wherever it waits.
    void Stop();
    // Stops the reader and waits for its thread to end.
    void Close();

  private:
    // Batches read ahead at most: enough to ride out an uneven label.
    static constexpr std::size_t kMaxQueued = 8;

    void Run();
    bool Hand(LabelBatch& batch);

    InputSource _source;
    std::string _name;
    Overrides _overrides;
    std::mutex _mutex;
    std::condition_variable _ready;  // a batch is queued or the reader is done
    std::condition_variable _room;   // a batch was taken or the reader was stopped
    std::deque<LabelBatch> _queue;
    std::vector<LabelBatch> _spent;  // handled batches, back to the reader
    bool _done = false, _threaded;
    bool _stopped = false;
    std::atomic<bool> _stopRequested{false};  // `_stopped`, read without the lock
    std::thread _thread;
};

}  // namespace quillon::cli

#endif
