// Opening, filling, rendering and closing a label many times must give back
// every allocation it made: the objects' parts, the form handed from label
// to label and the rendering buffer are kept by the library, not leaked.

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
    constexpr ScaleEnum Dot = ScaleEnum::Dot;
    CreateLabel(i & 1, "SOAK", 203.0f, ScaleEnum::Inch);
    Picture(i, -i, "SOAK-PICTURE-WITH-A-LONG-NAME");
    Picture(1, 2, "P");
    CreateTexts(20, 20, 10, 10, "SOAK TEXT LONG ENOUGH TO LIVE ON THE HEAP", Dot, FontSizeUnitsEnum::Points,
                FontStyleEnum::Normal, AlignEnum::Default, "", RotateEnum::None);
    CreateTexts(20, 55, 8, 8, "SHORT", Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                AlignEnum::Center, "A-DOWNLOADED-FONT-NAME", RotateEnum::ClockWise);
    CreateLines(0, 120, 812, 120, 3, Dot);
    CreateBoxs(10, 130, 802, 250, 4, Dot);
    CreateBarcode1D(40, 600, "1Z999AA10123456784", Dot, 3, 3, 200, BarcodeTypeEnum_1D::Code_128, true,
                    RotateEnum::None, false);
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
