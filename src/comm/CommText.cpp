#include "comm/CommText.h"

#include <cstring>

namespace quillon {

std::string ErrnoText(int err) {
    char buf[256];
    // GNU strerror_r returns the text, which may or may not be in buf.
    return std::string(strerror_r(err, buf, sizeof buf));
}

}  // namespace quillon
