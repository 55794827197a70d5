// Opening, filling, rendering and closing a label many times must give back
// every allocation it made.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "quillon/quillon.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers own operator new and check for leaks themselves.
#define QUILLON_COUNT_ALLOCATIONS 0
#else
#define QUILLON_COUNT_ALLOCATIONS 1
#endif

#if QUILLON_COUNT_ALLOCATIONS
namespace {
std::atomic<long long> gLiveAllocations{0};
}

void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    gLiveAllocations.fetch_add(1, std::memory_order_relaxed);
    return p;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    gLiveAllocations.fetch_sub(1, std::memory_order_relaxed);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
#endif

namespace {

#if defined(QUILLON_SOAK_CYCLES)
constexpr int kCycles = QUILLON_SOAK_CYCLES;  // emulated builds run fewer
#elif QUILLON_COUNT_ALLOCATIONS
constexpr int kCycles = 1000000;
#else
constexpr int kCycles = 20000;
#endif

void Cycle(int i, std::string& text) {
    CreateLabel(i & 1, "SOAK", 203.0f, ScaleEnum::Inch);
    Picture(i, -i, "SOAK-PICTURE-WITH-A-LONG-NAME");
    Picture(1, 2, "P");
    LabelToString(text);
    CloseLabel();
}

TEST(LabelSoak, AMillionLabelsGiveBackEveryAllocation) {
    std::string text;
    Cycle(0, text);  // the first use sizes the process-wide lists
#if QUILLON_COUNT_ALLOCATIONS
    const long long before = gLiveAllocations.load();
#endif
    for (int i = 0; i < kCycles; ++i) Cycle(i, text);
#if QUILLON_COUNT_ALLOCATIONS
    EXPECT_EQ(gLiveAllocations.load(), before);
#endif
    EXPECT_NE(text.find("~EXECUTE;SOAK"), std::string::npos);
}

}  // namespace
