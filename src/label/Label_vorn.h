#ifndef QUILLON_LABEL_LABEL_VORN_H
#define QUILLON_LABEL_LABEL_VORN_H

#include <string>

#include "generate/Builders.h"
#include "label/FormPool.h"

class ILabel {
  public:
    virtual ~ILabel() = default;
    virtual std::string getName() const = 0;
    virtual void setName(const std::string& name) = 0;
    virtual void addObject(void* object) = 0;
    virtual void addRawContent(const std::string& rawContent) = 0;
    virtual std::string toString() const = 0;
    virtual void toString(std::string& str) = 0;
};

namespace quillon {

// The facade's forwarders, one per attribute list, each handing its value
// unchanged to the recorder it owns.
class FormForwarders {
  public:
#define QUILLON_DECLARE_FORWARDER(member, type, adder, forwarder, filler, object0) \
    void forwarder(type value) {                                                   \
        _form->adder(std::move(value));                                            \
    }
    QUILLON_FORM_LISTS(QUILLON_DECLARE_FORWARDER)
#undef QUILLON_DECLARE_FORWARDER
    void AddVornobjQRCodedataManuallyEncoded(const QRCodeManualSegments* segments) {
        _form->AddVornobjQRCodedataManuallyEncoded(segments);
    }

  protected:
    explicit FormForwarders(FormPtr form) : _form(std::move(form)) {}
    FormPtr _form;
};

}  // namespace quillon

// A label: a thin facade over its form recorder. It owns the recorder and
// its scale command (object 0), and refers to the resolution it was created
// for without owning it.
class Label_vorn : public ILabel, public quillon::FormForwarders {
  public:
    Label_vorn(std::string name, IPrintResolution* printerResolution, int iPrintLanguageTyp);

    std::string getName() const override { return _form->Name; }
    void setName(const std::string& name) override { _form->Name = name; }
    void addObject(void* object) override { FormForwarders::addObject(object); }
    // Raw command text, written verbatim between two line terminators at its
    // position among the objects, in either language.
    void addRawContent(const std::string& rawContent) override;
    std::string toString() const override { return _form->ToString(); }
    void toString(std::string& str) override { _form->ToString(str); }

    // Records one whole object (see quillon::FormRow).
    void AddRow(quillon::FormRow&& row) { _form->AddRow(std::move(row)); }

    VornForm& Form() { return *_form; }
    const VornForm& Form() const { return *_form; }
    IPrintResolution* Resolution() const { return PrinterResolution; }
    int PrintLanguageTyp() const { return m_iPrintLanguageTyp; }

  private:
    VornLib::Scale _scale;
    IPrintResolution* PrinterResolution = nullptr;
    int m_iPrintLanguageTyp = 0;
};

#endif
