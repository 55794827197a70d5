#ifndef QUILLON_MODEL_ITEXT_H
#define QUILLON_MODEL_ITEXT_H

#include <list>
#include <string>
#include <string_view>

#include "base/Coordinate.h"
#include "base/Vocabulary.h"
#include "model/ModelCommon.h"
#include "quillon/Enums.h"

// Texts: one string with its start and character size (the text item), and
// the text object that carries the font settings of a recorded text.

class ITextItem {
  public:
    virtual ~ITextItem() = default;
    virtual IPoint* getStart() = 0;
    virtual void setStart(IPoint* start) = 0;
    virtual IFontSize* getFontSize() = 0;
    virtual void setFontSize(IFontSize* fontSize) = 0;
    virtual std::string getData() = 0;
};

// The data is referred to, not copied: whoever makes the item keeps the
// characters alive as long as the item (the adding function keeps them in
// the label's part arena).
class ATextItem : public ITextItem {
  public:
    ATextItem() = default;
    ATextItem(IPoint* start_, IFontSize* fontSize_, std::string_view data_)
        : start(start_), fontSize(fontSize_), data(data_) {}

    IPoint* getStart() override { return start; }
    void setStart(IPoint* start_) override { start = start_; }
    IFontSize* getFontSize() override { return fontSize; }
    void setFontSize(IFontSize* fontSize_) override { fontSize = fontSize_; }
    std::string getData() override { return std::string(data); }

  protected:
    IPoint* start = nullptr;
    IFontSize* fontSize = nullptr;
    std::string_view data;
};

// A text item. The forms that take numbers keep their start point and font
// size as members of their own; the forms that take pointers only refer to
// them.
class TextItem : public ATextItem {
  public:
    TextItem(IPoint* point, std::string_view data_);
    TextItem(IPoint* point, IFontSize* fontSize_, std::string_view data_);
    TextItem(float x, float y, std::string_view data_);
    TextItem(float x, float y, float fontSizeX, float fontSizeY, std::string_view data_);
    TextItem(const TextItem&) = delete;
    TextItem& operator=(const TextItem&) = delete;

    IPoint* getStart() override { return pPoint; }
    void setStart(IPoint* start_) override;
    IFontSize* getFontSize() override { return pFontSize; }
    void setFontSize(IFontSize* fontSize_) override;

  private:
    Point _ownPoint;
    FontSize _ownFontSize{0.0f, 0.0f};
    IPoint* pPoint = nullptr;
    IFontSize* pFontSize = nullptr;
};

class IfFont {
  public:
    virtual ~IfFont() = default;
    virtual std::string getFontName() = 0;
    virtual void setFontName(const std::string& fontName) = 0;
};

class IFontStyle {
  public:
    virtual ~IFontStyle() = default;
    virtual FontStyleEnum getFontStyle() = 0;
    virtual void setFontStyle(FontStyleEnum fontStyle) = 0;
};

class IFontSizeUnits {
  public:
    virtual ~IFontSizeUnits() = default;
    virtual FontSizeUnitsEnum getFontSizeUnits() = 0;
    virtual void setFontSizeUnits(FontSizeUnitsEnum fontSizeUnits) = 0;
};

class IAlignment {
  public:
    virtual ~IAlignment() = default;
    virtual AlignEnum getAlignment() = 0;
    virtual void setAlignment(AlignEnum alignment) = 0;
};

class ITextSettings : public IfFont,
                      public IFontStyle,
                      public IFontSizeUnits,
                      public IAlignment,
                      public IRotation {
  public:
    virtual IRuler* getRuler() = 0;
    virtual void setRuler(IRuler* ruler) = 0;
};

class IText : public ITextSettings {
  public:
    virtual std::list<ITextItem*> getText() = 0;
    virtual void setText(const std::list<ITextItem*>& text) = 0;
    virtual std::string toString() = 0;
};

class AText : public IText {
  public:
    explicit AText(ITextItem* item) : firstItem(item), hasFirstItem(true) {}

    std::string getFontName() override { return fontName; }
    void setFontName(const std::string& fontName_) override { fontName = fontName_; }
    IRuler* getRuler() override { return ruler; }
    void setRuler(IRuler* ruler_) override { ruler = ruler_; }
    FontStyleEnum getFontStyle() override { return fontStyle; }
    void setFontStyle(FontStyleEnum fontStyle_) override { fontStyle = fontStyle_; }
    FontSizeUnitsEnum getFontSizeUnits() override { return fontSizeUnits; }
    void setFontSizeUnits(FontSizeUnitsEnum fontSizeUnits_) override { fontSizeUnits = fontSizeUnits_; }
    AlignEnum getAlignment() override { return alignment; }
    void setAlignment(AlignEnum alignment_) override { alignment = alignment_; }
    RotateEnum getRotation() override { return rotation; }
    void setRotation(RotateEnum rotation_) override { rotation = rotation_; }
    std::list<ITextItem*> getText() override;
    void setText(const std::list<ITextItem*>& text_) override;
    // The command text comes from the recorder's lists, never from the object.
    std::string toString() override { return {}; }

  protected:
    IRuler* ruler = nullptr;
    std::string fontName;
    FontStyleEnum fontStyle = FontStyleEnum::Normal;
    FontSizeUnitsEnum fontSizeUnits = FontSizeUnitsEnum::Points;
    AlignEnum alignment = AlignEnum::Default;
    RotateEnum rotation = RotateEnum::None;
    // A recorded text has exactly one item, kept apart so that recording it
    // allocates no list node; items after the first go to moreItems.
    ITextItem* firstItem = nullptr;
    bool hasFirstItem = false;
    std::list<ITextItem*> moreItems;
};

class Text_vorn : public AText {
  public:
    explicit Text_vorn(ITextItem* item) : AText(item) {}

    IPrintResolution* printResolution = nullptr;
    IRuler* activeRuler = nullptr;
    VORN::Reference_Point ReferencePoint = VORN::LeftDown;
    bool Reverse = false;
};

#endif
