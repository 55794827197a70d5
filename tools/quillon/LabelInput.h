#ifndef QUILLON_TOOLS_LABELINPUT_H
#define QUILLON_TOOLS_LABELINPUT_H

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

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
// Bytes of the input consumed so far.
using ProgressHandler = std::function<void(std::uint64_t)>;

// Reads a single label (one JSON object), a JSON array of labels or JSON
// Lines (one label object per line) from `in`, calling `handle` for each
// label in order as soon as it is read. `name` names the input in messages;
// `language` (unless Unset) overrides the labels' own. Returns false when
// the input as a whole is unreadable; that error has been passed to
// `handle` too.
bool ReadLabels(InputSource& in, const std::string& name, Language language, const RecordHandler& handle,
                const ProgressHandler& progress);

}  // namespace quillon::cli

#endif
