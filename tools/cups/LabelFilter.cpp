#include "LabelFilter.h"

#include <charconv>

namespace quillon::cups {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Reads one value from `text` at `i`, up to white space outside quotes and
// braces.
std::string ReadValue(std::string_view text, std::size_t& i) {
    std::string value;
    char quote = 0;
    int depth = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            value += text[++i];
        } else if (quote) {
            if (c == quote)
                quote = 0;
            else
                value += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (depth == 0 && IsSpace(c)) {
            break;
        } else {
            if (c == '{') ++depth;
            if (c == '}' && depth > 0) --depth;
            value += c;
        }
    }
    return value;
}

// Dots per inch the renderer takes (as `quillon render --dpi` does), or 0.
long Dpi(std::string_view text) {
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text[0] == '0' || value < 100 ||
        value > 1200)
        return 0;
    return value;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseOptions(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> options;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != '=' && !IsSpace(text[i])) ++i;
        if (i == start) {  // a value without a name: skipped whole, so the scan goes on
            ReadValue(text, ++i);
            continue;
        }
        std::string name(text.substr(start, i - start));
        if (i < text.size() && text[i] == '=') {
            ++i;
            options.emplace_back(std::move(name), ReadValue(text, i));
        } else {
            options.emplace_back(std::move(name), "true");
        }
    }
    return options;
}

std::string PpdDefault(std::string_view ppd, std::string_view name) {
    const std::string key = "*Default" + std::string(name) + ":";
    for (std::size_t at = 0; at < ppd.size();) {
        std::size_t end = ppd.find('\n', at);
        if (end == std::string_view::npos) end = ppd.size();
        std::string_view line = ppd.substr(at, end - at);
        at = end + 1;
        if (line.substr(0, key.size()) != key) continue;
        line.remove_prefix(key.size());
        while (!line.empty() && IsSpace(line.front())) line.remove_prefix(1);
        while (!line.empty() && IsSpace(line.back())) line.remove_suffix(1);
        return std::string(line);
    }
    return "";
}

Rendering ChooseRendering(const std::string& language, const std::string& resolution) {
    Rendering r;
    if (language == "vorn" || language == "kesh") {
        r.language = language;
    } else if (!language.empty()) {
        r.error = "LabelLanguage \"" + language + "\": expected vorn or kesh";
        return r;
    }
    if (resolution.empty()) return r;
    // 203dpi, or 203x203dpi: the label has one resolution for both ways.
    std::string_view dots(resolution);
    long dpi = 0;
    if (dots.size() > 3 && dots.substr(dots.size() - 3) == "dpi") {
        dots.remove_suffix(3);
        std::size_t x = dots.find('x');
        dpi = Dpi(dots.substr(0, x));
        if (x != std::string_view::npos && Dpi(dots.substr(x + 1)) != dpi) dpi = 0;
    }
    if (dpi == 0) r.error = "Resolution \"" + resolution + "\": expected 100dpi to 1200dpi, such as 203dpi";
    r.dpi = static_cast<float>(dpi);
    return r;
}

long ParseCopies(std::string_view text) {
    long copies = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), copies);
    if (ec != std::errc() || end != text.data() + text.size() || copies < 1) return 0;
    return copies;
}

std::string LogLine(std::string_view level, std::string_view message, std::string_view title) {
    constexpr std::string_view kTool = "quillon: ", kStdin = "<stdin>";
    if (message.substr(0, kTool.size()) == kTool) message.remove_prefix(kTool.size());
    std::string line = std::string(level) + ": ";
    if (message.substr(0, kStdin.size()) == kStdin) {
        line += title;
        message.remove_prefix(kStdin.size());
    }
    return line.append(message) += '\n';
}

}  // namespace quillon::cups
