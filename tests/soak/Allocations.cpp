#include "Allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> gLive{0};
std::atomic<long long> gUntilFailure{-1};
std::atomic<bool> gFailed{false};
}  // namespace

namespace soak {

long long LiveAllocations() {
    return gLive.load();
}

void FailAllocation(long long n) {
    if (n >= 0) gFailed = false;
    gUntilFailure = n;
}

bool AllocationFailed() {
    return gFailed.load();
}

}  // namespace soak

#if QUILLON_COUNT_ALLOCATIONS
void* operator new(std::size_t size) {
    if (gUntilFailure.load(std::memory_order_relaxed) >= 0 && gUntilFailure.fetch_sub(1) == 0) {
        gFailed = true;
        throw std::bad_alloc();
    }
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    gLive.fetch_add(1, std::memory_order_relaxed);
    return p;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    gLive.fetch_sub(1, std::memory_order_relaxed);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
#endif
