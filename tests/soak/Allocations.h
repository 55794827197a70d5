#ifndef QUILLON_TESTS_SOAK_ALLOCATIONS_H
#define QUILLON_TESTS_SOAK_ALLOCATIONS_H

// The global operator new of this binary counts live allocations and can be
// told to fail. Under a sanitizer, which owns operator new, it is not
// replaced and neither works.

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLON_COUNT_ALLOCATIONS 0
#else
#define QUILLON_COUNT_ALLOCATIONS 1
#endif

namespace soak {

long long LiveAllocations();
// The allocation `n` allocations from now (0: the next one) throws
// std::bad_alloc; a negative `n` disarms.
void FailAllocation(long long n);
// Whether the failure armed last has happened.
bool AllocationFailed();

}  // namespace soak

#endif
