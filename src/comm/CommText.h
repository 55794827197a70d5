#ifndef QUILLON_COMM_COMMTEXT_H
#define QUILLON_COMM_COMMTEXT_H

// Message text helpers of the connection classes. Every message is one line
// written with a single call (quillon::Notice / quillon::Warning), so lines
// of the USB receive thread never interleave with the caller's.

#include <charconv>
#include <cstdint>
#include <string>

#include "base/Format.h"
#include "base/Notice.h"

namespace quillon {

inline std::string Hex(unsigned long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
    return std::string(buf, res.ptr);
}

// The system's text for an error number, thread-safe.
std::string ErrnoText(int err);

}  // namespace quillon

#endif
