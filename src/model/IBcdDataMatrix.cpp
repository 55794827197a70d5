#include "model/IBcdDataMatrix.h"

#include <string_view>

ADataMatrix::ADataMatrix(IPoint* start, std::string data, char ctrlCharDelimiter)
    : ABarcode2D(start, std::move(data)), CtrlCharDelimiter(ctrlCharDelimiter) {}

void ADataMatrix::AppendCtrlChar(std::string& out, char ctrl, char delimiter) {
    // Compared as unsigned so that bytes 128-255 stay themselves whatever the
    // signedness of plain char.
    const auto value = static_cast<unsigned char>(ctrl);
    if (value >= 32) {
        out.push_back(ctrl);
        return;
    }
    out.push_back(delimiter);
    out.push_back(static_cast<char>(value + 64));
}

std::string ADataMatrix::ExpandMultiLine(const std::string& multiLine, char ctrl1, char ctrl2,
                                         char delimiter) {
    static constexpr std::string_view kSeparator = "/r/n";
    std::string expansion;
    if (multiLine.empty()) return expansion;
    std::string_view rest(multiLine);
    for (;;) {
        const size_t p = rest.find(kSeparator);
        AppendCtrlChar(expansion, ctrl1, delimiter);
        AppendCtrlChar(expansion, ctrl2, delimiter);
        expansion.append(rest.substr(0, p));
        if (p == std::string_view::npos) break;
        rest.remove_prefix(p + kSeparator.size());
    }
    return expansion;
}
