#include "Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace quillon::cli::json {
namespace {

// Label files nest four levels deep; this bound only keeps hostile input
// from exhausting the stack.
constexpr int kMaxDepth = 64;

[[noreturn]] void Fail(std::size_t offset, const std::string& what) {
    throw SyntaxError(offset, what);
}

std::string Describe(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return "unexpected end of input";
    auto c = static_cast<unsigned char>(text[pos]);
    if (c >= 0x20 && c < 0x7F) return std::string("unexpected '") + char(c) + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02x", c);
    return std::string("unexpected byte 0x") + hex;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

int Hex4(std::string_view text, std::size_t pos) {
    if (pos + 4 > text.size()) return -1;
    int v = 0;
    for (std::size_t i = pos; i < pos + 4; ++i) {
        char c = text[i];
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

// Bytes a string holds as they are: printable ASCII but the quote and the
// backslash.
struct PlainBytes {
    bool table[256] = {};
    constexpr PlainBytes() {
        for (int c = 0x20; c < 0x80; ++c) table[c] = c != '"' && c != '\\';
    }
    constexpr bool operator[](unsigned char c) const { return table[c]; }
};
constexpr PlainBytes kPlain;

// End of the run of plain bytes from `pos`, eight bytes at a time: a word
// is plain when no byte is below 0x20 or above 0x7F, or is '"' or '\\'. In
// each test the lowest flagged byte is exact (a borrow only reaches the
// bytes above it), so the first special byte is found without a byte loop.
std::size_t PlainRun(std::string_view text, std::size_t pos) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    auto zeroByte = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    while (pos + 8 <= text.size()) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + pos, 8);
        std::uint64_t special = zeroByte(w ^ (kOnes * '"')) | zeroByte(w ^ (kOnes * '\\')) |
                                ((w - kOnes * 0x20) & ~w & kHigh) | (w & kHigh);
        if (special) {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            return pos + static_cast<std::size_t>(__builtin_ctzll(special)) / 8;
#else
            break;
#endif
        }
        pos += 8;
    }
    while (pos < text.size() && kPlain[static_cast<unsigned char>(text[pos])]) ++pos;
    return pos;
}

// Length of the well-formed UTF-8 sequence at `pos`, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    auto b = static_cast<unsigned char>(text[pos]);
    std::size_t n;
    std::uint32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + n > text.size()) return 0;
    std::uint32_t cp = b & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

void Document::Reset(std::string_view text) {
    _input = text.data();
    _nodes.clear();
    _nodes.emplace_back();  // index 0 stands for "none"
    _store.clear();
}

void Document::Parse(std::string_view text) {
    std::size_t pos = 0;
    ParseValueAt(text, pos);
    SkipSpace(text, pos);
    if (pos != text.size()) Fail(pos, Describe(text, pos) + " after the value");
}

void Document::ParseValueAt(std::string_view text, std::size_t& pos) {
    Reset(text);
    SkipSpace(text, pos);
    Value(text, pos, 0);
}

const Node* Document::Member(const Node& object, std::string_view key) const {
    for (std::uint32_t i = object.first; i != 0; i = _nodes[i].next)
        if (Key(_nodes[i]) == key) return &_nodes[i];
    return nullptr;
}

Document::Span Document::String(std::string_view text, std::size_t& pos) {
    // pos is at the opening quote. Most strings of a label are plain ASCII
    // and are left in place; any other is unescaped into the store, going
    // over it again from its start so that errors are found in order.
    ++pos;
    const std::size_t begin = pos;
    pos = PlainRun(text, pos);
    if (pos < text.size() && text[pos] == '"') {
        ++pos;
        return {begin, static_cast<std::uint32_t>(pos - 1 - begin), true};
    }
    pos = begin;
    std::size_t start = _store.size();
    for (;;) {
        std::size_t run = pos;
        while (run < text.size() && text[run] != '"' && text[run] != '\\' &&
               static_cast<unsigned char>(text[run]) >= 0x20 && static_cast<unsigned char>(text[run]) < 0x80)
            ++run;
        _store.append(text.data() + pos, run - pos);
        pos = run;
        if (pos >= text.size()) Fail(pos, "unexpected end of input in a string");
        auto c = static_cast<unsigned char>(text[pos]);
        if (c == '"') {
            ++pos;
            break;
        }
        if (c < 0x20) Fail(pos, "control character in a string (write it as an escape such as \\n)");
        if (c >= 0x80) {
            std::size_t n = Utf8Length(text, pos);
            if (n == 0) Fail(pos, "invalid UTF-8 in a string");
            _store.append(text.data() + pos, n);
            pos += n;
            continue;
        }
        // A backslash escape.
        if (pos + 1 >= text.size()) Fail(pos, "unexpected end of input in a string");
        char e = text[pos + 1];
        pos += 2;
        switch (e) {
            case '"':
                _store.push_back('"');
                break;
            case '\\':
                _store.push_back('\\');
                break;
            case '/':
                _store.push_back('/');
                break;
            case 'b':
                _store.push_back('\b');
                break;
            case 'f':
                _store.push_back('\f');
                break;
            case 'n':
                _store.push_back('\n');
                break;
            case 'r':
                _store.push_back('\r');
                break;
            case 't':
                _store.push_back('\t');
                break;
            case 'u': {
                int hi = Hex4(text, pos);
                if (hi < 0) Fail(pos - 2, "invalid \\u escape");
                pos += 4;
                std::uint32_t cp = static_cast<std::uint32_t>(hi);
                if (hi >= 0xD800 && hi <= 0xDBFF) {
                    int lo = pos + 1 < text.size() && text[pos] == '\\' && text[pos + 1] == 'u'
                                 ? Hex4(text, pos + 2)
                                 : -1;
                    if (lo < 0xDC00 || lo > 0xDFFF) Fail(pos - 6, "unpaired surrogate in a \\u escape");
                    pos += 6;
                    cp = 0x10000 + ((static_cast<std::uint32_t>(hi) - 0xD800) << 10) +
                         (static_cast<std::uint32_t>(lo) - 0xDC00);
                } else if (hi >= 0xDC00 && hi <= 0xDFFF) {
                    Fail(pos - 6, "unpaired surrogate in a \\u escape");
                }
                AppendUtf8(_store, cp);
                break;
            }
            default:
                Fail(pos - 2, "invalid escape in a string");
        }
    }
    return {start, static_cast<std::uint32_t>(_store.size() - start), false};
}

std::uint32_t Document::Value(std::string_view text, std::size_t& pos, int depth) {
    if (depth > kMaxDepth) Fail(pos, "nesting too deep");
    auto index = static_cast<std::uint32_t>(_nodes.size());
    _nodes.emplace_back();
    if (pos >= text.size()) Fail(pos, "unexpected end of input; expected a value");
    char c = text[pos];
    if (c == '{' || c == '[') {
        const bool object = c == '{';
        const char close = object ? '}' : ']';
        _nodes[index].type = object ? Type::Object : Type::Array;
        ++pos;
        SkipSpace(text, pos);
        std::uint32_t last = 0, count = 0;
        if (pos < text.size() && text[pos] == close) {
            ++pos;
            return index;
        }
        for (;;) {
            Span key{0, 0, false};
            if (object) {
                if (pos >= text.size() || text[pos] != '"')
                    Fail(pos, Describe(text, pos) + "; expected a member name");
                key = String(text, pos);
                SkipSpace(text, pos);
                if (pos >= text.size() || text[pos] != ':') Fail(pos, Describe(text, pos) + "; expected ':'");
                ++pos;
                SkipSpace(text, pos);
            }
            std::uint32_t child = Value(text, pos, depth + 1);
            _nodes[child].key = key.offset;
            _nodes[child].keySize = key.size;
            _nodes[child].keyInInput = key.inInput;
            if (last)
                _nodes[last].next = child;
            else
                _nodes[index].first = child;
            last = child;
            ++count;
            SkipSpace(text, pos);
            if (pos < text.size() && text[pos] == ',') {
                ++pos;
                SkipSpace(text, pos);
                continue;
            }
            if (pos < text.size() && text[pos] == close) {
                ++pos;
                break;
            }
            Fail(pos, Describe(text, pos) + "; expected ',' or '" + close + "'");
        }
        _nodes[index].count = count;
        return index;
    }
    if (c == '"') {
        Span string = String(text, pos);
        Node& n = _nodes[index];
        n.type = Type::String;
        n.text = string.offset;
        n.textSize = string.size;
        n.textInInput = string.inInput;
        return index;
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
        std::size_t start = pos;
        if (text[pos] == '-') ++pos;
        if (pos < text.size() && text[pos] == '0') {
            ++pos;
        } else if (pos < text.size() && text[pos] >= '1' && text[pos] <= '9') {
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        } else {
            Fail(pos, "invalid number");
        }
        bool integral = true;
        if (pos < text.size() && text[pos] == '.') {
            integral = false;
            ++pos;
            if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') Fail(pos, "invalid number");
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        }
        if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
            integral = false;
            ++pos;
            if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
            if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') Fail(pos, "invalid number");
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        }
        Node& n = _nodes[index];
        if (integral) {
            auto [end, ec] = std::from_chars(text.data() + start, text.data() + pos, n.integer);
            if (ec == std::errc() && end == text.data() + pos) {
                n.type = Type::Int;
                n.number = static_cast<double>(n.integer);
                return index;
            }
        }
        // Fractions, exponents and integers beyond 64 bits.
        n.type = Type::Float;
        auto result = std::from_chars(text.data() + start, text.data() + pos, n.number);
        if (result.ec == std::errc::result_out_of_range) n.number = HUGE_VAL;
        return index;
    }
    auto word = [&](std::string_view w) { return text.substr(pos, w.size()) == w; };
    if (word("true") || word("false")) {
        _nodes[index].type = Type::Bool;
        _nodes[index].boolean = c == 't';
        pos += c == 't' ? 4 : 5;
        return index;
    }
    if (word("null")) {
        pos += 4;
        return index;
    }
    Fail(pos, Describe(text, pos) + "; expected a value");
}

}  // namespace quillon::cli::json
