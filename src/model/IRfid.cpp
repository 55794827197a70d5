#include "model/IRfid.h"

namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

void AppendByte(std::string& out, unsigned char byte) {
    out.push_back(kUpperDigits[byte >> 4]);
    out.push_back(kUpperDigits[byte & 0x0f]);
}

}  // namespace

std::string RfidConvert::toHex(uint32_t value) {
    std::string out;
    out.reserve(8);
    for (int shift = 24; shift >= 0; shift -= 8) AppendByte(out, static_cast<unsigned char>(value >> shift));
    return out;
}

std::string RfidConvert::toHex(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) AppendByte(out, static_cast<unsigned char>(c));
    return out;
}
