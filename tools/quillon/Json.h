#ifndef QUILLON_TOOLS_JSON_H
#define QUILLON_TOOLS_JSON_H

// A small JSON reader made for label files: it parses one value into a flat
// arena that is reused from label to label, so reading a large batch costs
// no allocation per label once the arena has grown.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli::json {

enum class Type : std::uint8_t { Null, Bool, Int, Float, String, Array, Object };

struct Node {
    Type type = Type::Null;
    bool boolean = false;
    // Strings without escapes are not copied: they stay where they are in
    // the parsed text, which must outlive the node.
    bool textInInput = false;
    bool keyInInput = false;
    std::int64_t integer = 0;
    double number = 0;     // Int and Float
    std::size_t text = 0;  // String: offset in the parsed text or the document's string store
    std::uint32_t textSize = 0;
    std::uint32_t keySize = 0;
    std::size_t key = 0;      // member of an object: its key, like `text`
    std::uint32_t first = 0;  // Array, Object: first child (0 = none)
    std::uint32_t next = 0;   // next sibling (0 = none)
    std::uint32_t count = 0;  // Array, Object: number of children
};

// A syntax error at byte `offset` (0-based) of the parsed text.
class SyntaxError : public std::runtime_error {
  public:
    SyntaxError(std::size_t offset, const std::string& what) : std::runtime_error(what), _offset(offset) {}
    std::size_t Offset() const { return _offset; }

  private:
    std::size_t _offset;
};

class Document {
  public:
    // Parses `text` as exactly one value (white space around it allowed).
    // Throws SyntaxError. The previous content is dropped. The nodes refer
    // to `text`: it must stay unchanged while they are used.
    void Parse(std::string_view text);

    // Parses one value starting at `pos` and moves `pos` past it; for
    // reading the elements of a long array one by one.
    void ParseValueAt(std::string_view text, std::size_t& pos);

    const Node& Root() const { return _nodes[1]; }
    const Node& At(std::uint32_t index) const { return _nodes[index]; }
    std::string_view Text(const Node& n) const {
        return {(n.textInInput ? _input : _store.data()) + n.text, n.textSize};
    }
    std::string_view Key(const Node& n) const {
        return {(n.keyInInput ? _input : _store.data()) + n.key, n.keySize};
    }
    // Child of an object by key, or null.
    const Node* Member(const Node& object, std::string_view key) const;

  private:
    // Where a parsed string is: in the input or in the store.
    struct Span {
        std::size_t offset;
        std::uint32_t size;
        bool inInput;
    };

    std::uint32_t Value(std::string_view text, std::size_t& pos, int depth);
    Span String(std::string_view text, std::size_t& pos);
    void Reset(std::string_view text);

    std::vector<Node> _nodes;
    std::string _store;  // strings that had escapes, unescaped
    const char* _input = nullptr;
};

// Skips JSON white space.
inline void SkipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() &&
           (text[pos] == ' ' || text[pos] == '\n' || text[pos] == '\r' || text[pos] == '\t'))
        ++pos;
}

}  // namespace quillon::cli::json

#endif
