#include "model/IText.h"

TextItem::TextItem(IPoint* point, std::string data_) : pPoint(point) {
    start = point;
    data = std::move(data_);
}

TextItem::TextItem(IPoint* point, IFontSize* fontSize_, std::string data_)
    : pPoint(point), pFontSize(fontSize_) {
    start = point;
    fontSize = fontSize_;
    data = std::move(data_);
}

TextItem::TextItem(float x, float y, std::string data_)
    : _ownPoint(std::make_unique<Point>(x, y)), pPoint(_ownPoint.get()) {
    start = pPoint;
    data = std::move(data_);
}

TextItem::TextItem(float x, float y, float fontSizeX, float fontSizeY, std::string data_)
    : _ownPoint(std::make_unique<Point>(x, y)),
      _ownFontSize(std::make_unique<FontSize>(fontSizeX, fontSizeY)),
      pPoint(_ownPoint.get()),
      pFontSize(_ownFontSize.get()) {
    start = pPoint;
    fontSize = pFontSize;
    data = std::move(data_);
}

// A start or size set from outside replaces the item's own, which is then
// no longer needed; the caller keeps ownership of what it passes in.
void TextItem::setStart(IPoint* start_) {
    if (start_ == pPoint) return;
    pPoint = start_;
    start = start_;
    _ownPoint.reset();
}

void TextItem::setFontSize(IFontSize* fontSize_) {
    if (fontSize_ == pFontSize) return;
    pFontSize = fontSize_;
    fontSize = fontSize_;
    _ownFontSize.reset();
}
