#ifndef QUILLON_TOOLS_NOTICES_H
#define QUILLON_TOOLS_NOTICES_H

// Notices: what a label asks for that its language prints otherwise. The
// library hands them over per label with the object they are about; here
// they are matched to the field that caused them and reported once per
// distinct notice for a whole input.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Label.h"

namespace quillon::cli {

// 20840000 -> "20,840,000"
std::string Grouped(std::uint64_t value);

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

// One rendered label's library notices, and those for fields its language
// drops without a word.
void CollectNotices(const LabelDescription& label, const std::vector<quillon::LabelNotice>& notices,
                    std::size_t index, NoticeReport& report);

}  // namespace quillon::cli

#endif
