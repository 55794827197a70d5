#ifndef QUILLON_GENERATE_PLACEMENT_H
#define QUILLON_GENERATE_PLACEMENT_H

#include <vector>

#include "form/VornForm.h"
#include "quillon/Placement.h"

namespace quillon {

// Every recorded object of `form` but its scale command, resolved into dots
// by the emitters' own conversions, in recording order. `Placed::object` is
// the object's row in the form.
std::vector<Placed> PlaceObjects(const VornForm& form);

}  // namespace quillon

#endif
