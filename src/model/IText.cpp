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

TextItem::TextItem(float x, float y, std::string data_) : _ownPoint(x, y), pPoint(&_ownPoint) {
    start = pPoint;
    data = std::move(data_);
}

TextItem::TextItem(float x, float y, float fontSizeX, float fontSizeY, std::string data_)
    : _ownPoint(x, y), _ownFontSize(fontSizeX, fontSizeY), pPoint(&_ownPoint), pFontSize(&_ownFontSize) {
    start = pPoint;
    fontSize = pFontSize;
    data = std::move(data_);
}

// A start or size set from outside is referred to, not copied; the caller
// keeps ownership of it.
void TextItem::setStart(IPoint* start_) {
    pPoint = start_;
    start = start_;
}

void TextItem::setFontSize(IFontSize* fontSize_) {
    pFontSize = fontSize_;
    fontSize = fontSize_;
}
