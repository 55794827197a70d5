#ifndef QUILLON_EXPORT_H
#define QUILLON_EXPORT_H

// Everything in the library is hidden unless marked with QUILLON_API; the
// linker version script then decides what the shared object really exports.
#define QUILLON_API __attribute__((visibility("default")))
// A member of an exported class that only the library itself calls.
#define QUILLON_LOCAL __attribute__((visibility("hidden")))

#endif
