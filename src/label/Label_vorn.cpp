#include "label/Label_vorn.h"

#include "label/Numeric.h"

Label_vorn::Label_vorn(std::string name, IPrintResolution* printerResolution, int iPrintLanguageTyp)
    : FormForwarders(std::make_unique<VornForm>(std::move(name), printerResolution)),
      PrinterResolution(printerResolution),
      m_iPrintLanguageTyp(iPrintLanguageTyp) {
    // The printer is told the same truncated dots per inch both ways.
    const int horz = quillon::TruncToInt(PrinterResolution->getDotsPerInch());
    const int vert = quillon::TruncToInt(PrinterResolution->getDotsPerInch());
    _scale = std::make_unique<VornLib::Scale>(VORN::DOT, horz, vert);
    _form->AddRow(quillon::FormRow::Object0(iPrintLanguageTyp, _scale.get()));
}

void Label_vorn::addRawContent(const std::string& rawContent) {
    _form->RawContent(rawContent, m_iPrintLanguageTyp);
}
