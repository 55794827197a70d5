#ifndef QUILLON_TOOLS_NOTICES_H
#define QUILLON_TOOLS_NOTICES_H

// Notices: things a label asks for that its language prints otherwise. The
// library writes them as lines on standard output while it renders; they are
// caught here, matched to the object and field that caused them, and
// reported once per distinct notice for a whole input.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "Label.h"

namespace quillon::cli {

// While it lives, the library's standard output lines are kept instead of
// written; the process's standard output descriptor is untouched.
class LibraryLines {
  public:
    LibraryLines();
    ~LibraryLines();
    LibraryLines(const LibraryLines&) = delete;
    LibraryLines& operator=(const LibraryLines&) = delete;

    // The lines written since the last call.
    std::string Take();

  private:
    std::FILE* _saved;
    std::FILE* _stream;
    std::string _text;
};

// Notices gathered per label, reported once each with a count.
class NoticeReport {
  public:
    void Add(std::size_t label, const std::string& path, const std::string& message);
    // To standard error, each line starting with `prefix`; then forgets them.
    // `batch`: the input holds several labels, so counts are given.
    void Print(const std::string& prefix, bool batch);

  private:
    struct Entry {
        std::string path, message;
        std::size_t count, first;
    };
    std::vector<Entry> _entries;
};

// Turns one rendered label's library lines into notices for `report`, and
// adds those for fields its language drops without a line.
void CollectNotices(const LabelDescription& label, std::string_view lines, std::size_t index,
                    NoticeReport& report);

}  // namespace quillon::cli

#endif
