#ifndef QUILLON_TOOLS_PROGRESS_H
#define QUILLON_TOOLS_PROGRESS_H

#include <chrono>
#include <cstdint>

namespace quillon::cli {

// A one-line progress bar on standard error for long batches; draws nothing
// unless enabled, and at most ten times a second.
class Progress {
  public:
    // `totalBytes` 0 when the input size is not known (a pipe).
    Progress(bool enabled, std::uint64_t totalBytes);
    ~Progress();
    void Update(std::uint64_t labels, std::uint64_t bytes);
    void Finish();

  private:
    void Draw();

    bool _enabled;
    std::uint64_t _total;
    std::uint64_t _labels = 0;
    std::uint64_t _bytes = 0;
    bool _drawn = false;
    std::chrono::steady_clock::time_point _start;
    std::chrono::steady_clock::time_point _last;
};

}  // namespace quillon::cli

#endif
