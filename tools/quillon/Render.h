#ifndef QUILLON_TOOLS_RENDER_H
#define QUILLON_TOOLS_RENDER_H

#include <stdexcept>
#include <string>

#include "LabelDescription.h"

namespace quillon::cli {

// The library refused the label; its exception message is kept.
class RenderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Renders one label through the exported label functions, in the label's
// language (VORN when it names none).
std::string RenderLabel(const LabelDescription& label);

// The built-in 4 x 6 inch shipping label at 203 dpi.
LabelDescription ShippingLabel();

}  // namespace quillon::cli

#endif
