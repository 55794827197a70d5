#ifndef QUILLON_TOOLS_JSON_H
#define QUILLON_TOOLS_JSON_H

// JSON values of a label file, parsed with RapidJSON's SAX reader into a flat
// arena of nodes that is reused from label to label.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli::json {

enum class Type : std::uint8_t { Null, Bool, Int, Float, String, Array, Object };

struct Node {
    Type type = Type::Null;
    bool boolean = false;
    bool textInStore = false;  // else in the parsed text itself
    bool keyInStore = false;
    std::int64_t integer = 0;
    double number = 0;     // Int and Float
    std::size_t text = 0;  // String: offset in the parsed text or in the document's store
    std::size_t key = 0;   // member of an object: its key, like `text`
    std::uint32_t textSize = 0;
    std::uint32_t keySize = 0;
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
    // Parses `text[0, size)`, which must be followed by a NUL byte, as exactly
    // one value, decoding strings in place. Throws SyntaxError. The nodes
    // refer to `text`: it must stay unchanged while they are used.
    void ParseInPlace(char* text, std::size_t size);

    // Parses `text` as one array and calls `element` with the document
    // holding each element as its root, as soon as the element is complete;
    // `element` returns false to stop. Throws SyntaxError.
    void ParseArray(std::string_view text, const std::function<bool()>& element);

    const Node& Root() const { return _nodes[1]; }
    const Node& At(std::uint32_t index) const { return _nodes[index]; }
    std::string_view Text(const Node& n) const {
        return {(n.textInStore ? _store.data() : _input) + n.text, n.textSize};
    }
    std::string_view Key(const Node& n) const {
        return {(n.keyInStore ? _store.data() : _input) + n.key, n.keySize};
    }
    // Child of an object by key, or null.
    const Node* Member(const Node& object, std::string_view key) const;

  private:
    friend class Builder;
    void Reset(const char* input);

    std::vector<Node> _nodes;
    std::string _store;  // strings the parser could not leave in place
    const char* _input = nullptr;
};

}  // namespace quillon::cli::json

#endif
