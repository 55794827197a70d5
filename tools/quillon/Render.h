#ifndef QUILLON_TOOLS_RENDER_H
#define QUILLON_TOOLS_RENDER_H

#include <stdexcept>
#include <string>

#include "LabelDescription.h"

namespace quillon::cli {

// The library refused the label (its exception message is kept) or lacks an
// entry point the label needs.
class RenderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Renders one label through the exported label functions. `language`
// decides when the label itself names none (Vorn when Unset). The label's
// strings are moved into the library.
std::string RenderLabel(LabelDescription&& label, Language language);

// The built-in 4 x 6 inch shipping label at 203 dpi.
LabelDescription ShippingLabel();

}  // namespace quillon::cli

#endif
