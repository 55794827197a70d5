#ifndef QUILLON_LABEL_FORMPOOL_H
#define QUILLON_LABEL_FORMPOOL_H

// Goal: a label opened after another one on the same thread neither sets up
// nor tears down the sixty lists of a form.

#include <memory>
#include <string>

#include "form/VornForm.h"

namespace quillon {

// Hands a form back to its thread's spare slot instead of freeing it.
struct ReleaseForm {
    void operator()(VornForm* form) const noexcept;
};
using FormPtr = std::unique_ptr<VornForm, ReleaseForm>;

// A form for a new label: the thread's spare one (lists empty, capacity
// kept) when there is one. A form that grew past kKeptFormHeapBytes (lists
// of about a hundred rows) is freed rather than kept, so that one huge label
// does not pin memory for the rest of the thread.
FormPtr AcquireForm(std::string formName, IPrintResolution* printerResolution);
inline constexpr size_t kKeptFormHeapBytes = 256 * 1024;

}  // namespace quillon

#endif
