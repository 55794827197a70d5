#ifndef QUILLON_TOOLS_NOTICES_H
#define QUILLON_TOOLS_NOTICES_H

// Notices: what a label asks for that its language prints otherwise. The
// library writes them as lines on standard output while it renders; they are
// caught here, matched to the object and field that caused them and
// reported once per distinct notice for a whole input. Only LibraryLines
// knows where they come from.

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Label.h"

namespace quillon::cli {

// While it lives, the library's standard output lines are kept instead of
// written (the descriptor is left alone); Take hands over what came since.
class LibraryLines {
  public:
    LibraryLines();
    ~LibraryLines();
    LibraryLines(const LibraryLines&) = delete;
    LibraryLines& operator=(const LibraryLines&) = delete;
    std::string Take() { return std::exchange(_text, std::string()); }

  private:
    std::FILE* _saved;
    std::FILE* _stream;
    std::string _text;
};

// Notices gathered per label; Print reports each once on standard error,
// with the number of labels that had it when `batch`, and forgets them.
class NoticeReport {
  public:
    void Add(std::size_t label, const std::string& path, const std::string& message);
    void Print(const std::string& prefix, bool batch);

  private:
    struct Entry {
        std::string path, message;
        std::size_t count, first;
    };
    std::vector<Entry> _entries;
};

// One rendered label's library lines as notices, and those for fields its
// language drops without a line.
void CollectNotices(const LabelDescription& label, std::string_view lines, std::size_t index,
                    NoticeReport& report);

}  // namespace quillon::cli

#endif
