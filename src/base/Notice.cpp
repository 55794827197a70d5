#include "base/Notice.h"

namespace quillon {

namespace {

class StandardStreamSink final : public NoticeSink {
  public:
    void Notice(std::string_view line) override { WriteLine(line, stdout); }
    void Warning(std::string_view line) override { WriteLine(line, stderr); }
};

}  // namespace

NoticeSink& StandardStreams() {
    // Holds no state, so every label can share it.
    static StandardStreamSink sink;
    return sink;
}

}  // namespace quillon
