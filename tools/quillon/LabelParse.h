#ifndef QUILLON_TOOLS_LABELPARSE_H
#define QUILLON_TOOLS_LABELPARSE_H

#include <stdexcept>
#include <string>

#include "Json.h"
#include "LabelDescription.h"

namespace quillon::cli {

// A label description that is well-formed JSON but not a valid label. The
// message starts with the path of the offending field, for example
// "objects[3].rotation: expected one of none, cw, ccw, inverted".
class LabelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Checks one parsed JSON value against the label format and converts it;
// `language` (unless Unset) overrides the label's own, as the strings are
// checked against what that language can carry. Throws LabelError on the
// first problem found.
LabelDescription ParseLabel(const json::Document& doc, const json::Node& root, Language language);

}  // namespace quillon::cli

#endif
