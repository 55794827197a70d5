// Allocation behaviour of the label functions: labels opened, filled,
// rendered and closed (or replaced) many times give back every allocation,
// and an allocation that fails while an object is recorded leaves the label
// as it was, with no published pointer to a part that is gone.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "../label/ObjectSamples.h"
#include "label/LabelState.h"

// The global operator new of this binary counts live allocations and can be
// told to fail. Under a sanitizer, which owns operator new, it is not
// replaced and neither works.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLON_COUNT_ALLOCATIONS 0
#else
#define QUILLON_COUNT_ALLOCATIONS 1
#endif

namespace soak {

std::atomic<long long> gLive{0};
// The allocation this many allocations from now (0: the next one) throws
// std::bad_alloc, and gFailed tells that it has; a negative count disarms.
std::atomic<long long> gUntilFailure{-1};
std::atomic<bool> gFailed{false};

}  // namespace soak

#if QUILLON_COUNT_ALLOCATIONS
void* operator new(std::size_t size) {
    if (soak::gUntilFailure.load(std::memory_order_relaxed) >= 0 && soak::gUntilFailure.fetch_sub(1) == 0) {
        soak::gFailed = true;
        throw std::bad_alloc();
    }
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    soak::gLive.fetch_add(1, std::memory_order_relaxed);
    return p;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    soak::gLive.fetch_sub(1, std::memory_order_relaxed);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
#endif

namespace {

// The count of live allocations is exact: a leak in any cycle shows at any
// count, so more cycles only cost time.
constexpr int kCycles = 20000;

using quillon_test::Render;

TEST(LabelSoak, LabelsGiveBackEveryAllocation) {
    const auto adders = quillon_test::EveryKindOfObject();
    std::string text;
    // Of every four labels two are closed and two replaced by the next
    // CreateLabel, in both languages; every fourth cycle ends closed.
    auto cycle = [&](int i) {
        CreateLabel(i & 1, "SOAK", 203.0f, ScaleEnum::Inch);
        for (const auto& add : adders) add();
        LabelToString(text);
        if (i & 2) CloseLabel();
    };
    static_assert(kCycles % 4 == 0, "the count must end with a closed label");
    for (int i = 0; i < 4; ++i) cycle(i);  // the first use sizes the process-wide lists
    const long long before = soak::gLive.load();
    for (int i = 0; i < kCycles; ++i) cycle(i);
    if (QUILLON_COUNT_ALLOCATIONS) {
        EXPECT_EQ(soak::gLive.load(), before);
    }
    EXPECT_NE(text.find("~EXECUTE;SOAK"), std::string::npos);
}

std::vector<void*> Published() {
    return std::vector<void*>({gpRuler, gpCellSquare, gpCellRect, gpTextType, gpLineType, gpBoxType,
                               gpBarcode1DType, gpQRBarcodeType, gpPdf417BarcodeType, gpDataMatrixBarcodeType,
                               gpAztecBarcodeType, gpMexiCodeBarcodeType, gpRfidWriteType});
}

TEST(RecordFailure, LeavesTheLabelAsItWas) {
    if (!QUILLON_COUNT_ALLOCATIONS) GTEST_SKIP() << "the sanitizer owns operator new";
    // A form that grew too large to be kept: the next label gets a fresh one,
    // whose lists must grow for its seventeenth row.
    CreateLabel(0, "HUGE", 203.0f, ScaleEnum::Inch);
    for (int i = 0; i < 5000; ++i) Picture(i, i, "P");
    CloseLabel();
    CreateLabel(0, "F", 203.0f, ScaleEnum::Inch);
    int failures = 0;
    for (int round = 0; round < 2; ++round) {
        for (const auto& add : quillon_test::EveryKindOfObject()) {
            const std::string before = Render();
            const std::vector<void*> published = Published();
            const size_t objects = gpLabel->Form().ObjectCount();
            // Fail the first allocation the call makes, then the second, and
            // so on, until the call goes through.
            for (long long n = 0;; ++n) {
                soak::gFailed = false;
                soak::gUntilFailure = n;
                try {
                    add();
                } catch (const std::bad_alloc&) {
                }
                soak::gUntilFailure = -1;
                if (!soak::gFailed) break;
                ++failures;
                ASSERT_EQ(Published(), published) << "object " << objects << ", allocation " << n;
                ASSERT_EQ(gpLabel->Form().ObjectCount(), objects);
                ASSERT_EQ(ObjectsPtr.size(), objects);
                ASSERT_EQ(Render(), before);
            }
            EXPECT_EQ(gpLabel->Form().ObjectCount(), objects + 1);
            EXPECT_NE(Render(), before);
        }
    }
    EXPECT_GT(failures, 20);
    CloseLabel();
}

}  // namespace
