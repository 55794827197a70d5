#include "label/FormPool.h"

namespace {

// The thread's spare form. Both are trivially destructible, so they stay
// usable while the thread (or the process) ends: a label closed by a
// static destructor after SpareFormKeeper has run frees its form instead.
thread_local VornForm* tSpareForm = nullptr;
thread_local bool tSpareFormsEnded = false;

struct SpareFormKeeper {
    ~SpareFormKeeper() {
        delete tSpareForm;
        tSpareForm = nullptr;
        tSpareFormsEnded = true;
    }
};
thread_local SpareFormKeeper tSpareFormKeeper;

}  // namespace

namespace quillon {

void ReleaseForm::operator()(VornForm* form) const noexcept {
    if (form == nullptr) return;
    if (tSpareForm != nullptr || tSpareFormsEnded || form->HeapBytes() > kKeptFormHeapBytes) {
        delete form;
        return;
    }
    // The first use on a thread registers the keeper's destructor.
    static_cast<void>(&tSpareFormKeeper);
    form->Clear();
    tSpareForm = form;
}

FormPtr AcquireForm(std::string formName, IPrintResolution* printerResolution) {
    VornForm* spare = tSpareForm;
    if (spare == nullptr) return FormPtr(new VornForm(std::move(formName), printerResolution));
    tSpareForm = nullptr;
    spare->Name = std::move(formName);
    spare->PrinterResolution = printerResolution;
    spare->DeleteAfterUse = true;
    spare->Notices = &StandardStreams();
    return FormPtr(spare);
}

}  // namespace quillon
