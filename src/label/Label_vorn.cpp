#include "label/Label_vorn.h"

#include "base/Numeric.h"

namespace {

// The printer is told the same truncated dots per inch both ways.
int ScaleDots(IPrintResolution* resolution) {
    return quillon::TruncToInt(resolution->getDotsPerInch());
}

}  // namespace

Label_vorn::Label_vorn(std::string name, IPrintResolution* printerResolution, int iPrintLanguageTyp)
    : FormForwarders(quillon::AcquireForm(std::move(name), printerResolution)),
      _scale(VORN::DOT, ScaleDots(printerResolution), ScaleDots(printerResolution)),
      PrinterResolution(printerResolution),
      m_iPrintLanguageTyp(iPrintLanguageTyp) {
    _form->AddRow(quillon::FormRow::Object0(iPrintLanguageTyp, &_scale));
}

void Label_vorn::addRawContent(const std::string& rawContent) {
    _form->RawContent(rawContent, m_iPrintLanguageTyp);
}
