#include "Json.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cstdio>
#include <cstring>

namespace quillon::cli::json {
namespace {

// Label files nest four levels deep; this bound only keeps hostile input
// from using unbounded memory.
constexpr unsigned kMaxDepth = 64;

// The message for a syntax error; structural ones name what was found.
std::string Describe(rapidjson::ParseErrorCode code, std::string_view text, std::size_t offset) {
    const char* expected = nullptr;
    switch (code) {
        case rapidjson::kParseErrorDocumentEmpty:
        case rapidjson::kParseErrorValueInvalid:
            expected = "a value";
            break;
        case rapidjson::kParseErrorDocumentRootNotSingular:
            expected = "nothing after the value";
            break;
        case rapidjson::kParseErrorObjectMissName:
            expected = "a member name";
            break;
        case rapidjson::kParseErrorObjectMissColon:
            expected = "':'";
            break;
        case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
            expected = "',' or '}'";
            break;
        case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
            expected = "',' or ']'";
            break;
        case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
            return "invalid \\u escape";
        case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
            return "unpaired surrogate in a \\u escape";
        case rapidjson::kParseErrorStringEscapeInvalid:
            if (offset < text.size() && static_cast<unsigned char>(text[offset]) < 0x20)
                return "control character in a string (write it as an escape such as \\n)";
            return "invalid escape in a string";
        case rapidjson::kParseErrorStringMissQuotationMark:
            return "unexpected end of input in a string";
        case rapidjson::kParseErrorStringInvalidEncoding:
            return "invalid UTF-8 in a string";
        case rapidjson::kParseErrorNumberTooBig:
            return "number out of range";
        case rapidjson::kParseErrorTermination:
            return "nesting too deep";
        default:
            return "invalid number";
    }
    const auto c = offset < text.size() ? static_cast<unsigned char>(text[offset]) : 0;
    char found[32] = "unexpected end of input";
    if (c >= 0x20 && c < 0x7F) std::snprintf(found, sizeof found, "unexpected '%c'", c);
    else if (c != 0) std::snprintf(found, sizeof found, "unexpected byte 0x%02x", c);
    return std::string(found) + "; expected " + expected;
}

// Where `s` stops being well-formed UTF-8 (`size` when it is). Most label
// text is ASCII, which is passed over eight bytes at a time.
std::size_t ValidUtf8(const char* s, std::size_t size) {
    std::size_t i = 0;
    for (;;) {
        std::uint64_t word;
        while (i + 8 <= size && (std::memcpy(&word, s + i, 8), (word & 0x8080808080808080u) == 0)) i += 8;
        while (i < size && static_cast<unsigned char>(s[i]) < 0x80) ++i;
        if (i == size) return size;
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        if (n == 0 || i + n > size) return i;
        std::uint32_t cp = b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return i;
            cp = cp << 6 | (c & 0x3F);
        }
        if (cp < (n == 3 ? 0x800u : 0x10000u) * (n > 2) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
        i += n;
    }
}

}  // namespace

// Builds the node arena from the reader's events. In array mode every
// element of the top-level array is handed on as a document of its own.
class Builder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Builder> {
  public:
    Builder(Document& doc, const std::function<bool()>* element) : _doc(doc), _element(element) {}

    bool Null() { return Scalar(Node{}); }
    bool Bool(bool b) {
        Node n;
        n.type = Type::Bool;
        n.boolean = b;
        return Scalar(n);
    }
    bool Int(int i) { return Int64(i); }
    bool Uint(unsigned u) { return Int64(u); }
    bool Int64(std::int64_t i) {
        Node n;
        n.type = Type::Int;
        n.integer = i;
        n.number = static_cast<double>(i);
        return Scalar(n);
    }
    bool Uint64(std::uint64_t u) {
        if (u <= static_cast<std::uint64_t>(INT64_MAX)) return Int64(static_cast<std::int64_t>(u));
        return Double(static_cast<double>(u));
    }
    bool Double(double d) {
        Node n;
        n.type = Type::Float;
        n.number = d;
        return Scalar(n);
    }
    bool String(const char* s, rapidjson::SizeType size, bool copy) {
        if (!Valid(s, size, copy)) return false;
        Node n;
        n.type = Type::String;
        Place(s, size, copy, n.text, n.textInStore);
        n.textSize = size;
        return Scalar(n);
    }
    bool Key(const char* s, rapidjson::SizeType size, bool copy) {
        if (!Valid(s, size, copy)) return false;
        Place(s, size, copy, _key, _keyInStore);
        _keySize = size;
        return true;
    }
    bool StartObject() { return Open(Type::Object); }
    bool StartArray() {
        if (_element && _open.empty() && !_inArray) {
            _inArray = true;  // the top-level array itself is not a node
            return true;
        }
        return Open(Type::Array);
    }
    bool EndObject(rapidjson::SizeType) { return Close(); }
    bool EndArray(rapidjson::SizeType) { return _open.empty() ? true : Close(); }

    // A string of invalid UTF-8 stopped the reader; where, when it was
    // decoded in place (else the reader's position tells).
    bool _badText = false;
    std::size_t _badAt = 0;
    bool _stopped = false;

  private:
    // RapidJSON's own check of the encoding would take its byte-at-a-time
    // path for every string; this one passes ASCII over in words.
    bool Valid(const char* s, rapidjson::SizeType size, bool copied) {
        const std::size_t bad = ValidUtf8(s, size);
        if (bad == size) return true;
        _badText = true;
        _badAt = copied ? 0 : static_cast<std::size_t>(s - _doc._input) + bad;
        return false;
    }

    void Place(const char* s, rapidjson::SizeType size, bool copy, std::size_t& at, bool& inStore) {
        inStore = copy;
        if (!copy) {
            at = static_cast<std::size_t>(s - _doc._input);
            return;
        }
        at = _doc._store.size();
        _doc._store.append(s, size);
    }

    std::uint32_t Add(const Node& node) {
        if (_open.empty() && _element) _doc.Reset(_doc._input);
        auto index = static_cast<std::uint32_t>(_doc._nodes.size());
        _doc._nodes.push_back(node);
        if (!_open.empty()) {
            Node& n = _doc._nodes.back();
            n.key = _key;
            n.keySize = _keySize;
            n.keyInStore = _keyInStore;
            _keySize = 0;
            Level& parent = _open.back();
            if (parent.last)
                _doc._nodes[parent.last].next = index;
            else
                _doc._nodes[parent.node].first = index;
            parent.last = index;
            ++_doc._nodes[parent.node].count;
        }
        return index;
    }
    bool Scalar(const Node& node) {
        Add(node);
        return _open.empty() ? Complete() : true;
    }
    bool Open(Type type) {
        if (_open.size() >= kMaxDepth) return false;
        Node n;
        n.type = type;
        _open.push_back({Add(n), 0});
        return true;
    }
    bool Close() {
        _open.pop_back();
        return _open.empty() ? Complete() : true;
    }
    // A top-level value (or an element of the top-level array) is complete.
    bool Complete() {
        if (!_element) return true;
        if (!(*_element)()) {
            _stopped = true;
            return false;
        }
        return true;
    }

    struct Level {
        std::uint32_t node, last;
    };
    Document& _doc;
    const std::function<bool()>* _element;
    std::vector<Level> _open;
    std::size_t _key = 0;
    std::uint32_t _keySize = 0;
    bool _keyInStore = false;
    bool _inArray = false;
};

void Document::Reset(const char* input) {
    _input = input;
    _nodes.clear();
    _nodes.emplace_back();  // index 0 stands for "none"
    _store.clear();
}

void Document::ParseInPlace(char* text, std::size_t size) {
    Reset(text);
    rapidjson::InsituStringStream stream(text);
    Builder builder(*this, nullptr);
    rapidjson::Reader reader;
    // Recursive parsing is bounded by the builder's depth limit.
    rapidjson::ParseResult result = reader.Parse<rapidjson::kParseInsituFlag>(stream, builder);
    if (builder._badText) throw SyntaxError(builder._badAt, "invalid UTF-8 in a string");
    if (result.IsError()) throw SyntaxError(result.Offset(), Describe(result.Code(), {text, size}, result.Offset()));
    // A NUL byte inside the text ends the reader's input early.
    if (stream.Tell() < size) throw SyntaxError(stream.Tell(), "unexpected NUL byte");
}

void Document::ParseArray(std::string_view text, const std::function<bool()>& element) {
    Reset(text.data());
    rapidjson::MemoryStream stream(text.data(), text.size());
    Builder builder(*this, &element);
    rapidjson::Reader reader;
    rapidjson::ParseResult result = reader.Parse<rapidjson::kParseDefaultFlags>(stream, builder);
    if (builder._badText) throw SyntaxError(result.Offset(), "invalid UTF-8 in a string");
    if (result.IsError() && !builder._stopped)
        throw SyntaxError(result.Offset(), Describe(result.Code(), text, result.Offset()));
}

const Node* Document::Member(const Node& object, std::string_view key) const {
    for (std::uint32_t i = object.first; i != 0; i = _nodes[i].next)
        if (Key(_nodes[i]) == key) return &_nodes[i];
    return nullptr;
}

}  // namespace quillon::cli::json
