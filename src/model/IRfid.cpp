#include "model/IRfid.h"

#include "base/Format.h"

std::string RfidConvert::toHex(uint32_t value) {
    const char bytes[] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                          static_cast<char>(value >> 8), static_cast<char>(value)};
    std::string out;
    quillon::AppendHex(out, std::string_view(bytes, sizeof bytes), true);
    return out;
}

std::string RfidConvert::toHex(const std::string& text) {
    std::string out;
    quillon::AppendHex(out, text, true);
    return out;
}
