#ifndef QUILLON_TOOLS_LABELCHECKS_H
#define QUILLON_TOOLS_LABELCHECKS_H

// Checks that need more than one field's range: what a symbology can encode,
// what a printer language can carry in a command, and the defaults that
// depend on other fields.

#include <string>
#include <string_view>

#include "LabelDescription.h"

namespace quillon::cli {

// Refuses text that `language` cannot write into a command: a line break or
// a NUL byte in either language, and the double quote that frames VORN data.
// The message names `path` and `key` (key null: `path` alone).
void CheckWritable(std::string_view text, Language language, const std::string& path, const char* key);

// Checks an object whose fields are read, and fills the defaults that depend
// on other fields.
void CheckObject(ObjectDesc& object, const std::string& path);

// "Code 128", "EAN-13", ... for a BarcodeTypeEnum_1D value.
const char* SymbologyName(int symbology);

}  // namespace quillon::cli

#endif
