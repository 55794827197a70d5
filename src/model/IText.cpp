#include "model/IText.h"

TextItem::TextItem(IPoint* point, std::string_view data_) : pPoint(point) {
    start = point;
    data = data_;
}

TextItem::TextItem(IPoint* point, IFontSize* fontSize_, std::string_view data_)
    : pPoint(point), pFontSize(fontSize_) {
    start = point;
    fontSize = fontSize_;
    data = data_;
}

TextItem::TextItem(float x, float y, std::string_view data_) : _ownPoint(x, y), pPoint(&_ownPoint) {
    start = pPoint;
    data = data_;
}

TextItem::TextItem(float x, float y, float fontSizeX, float fontSizeY, std::string_view data_)
    : _ownPoint(x, y), _ownFontSize(fontSizeX, fontSizeY), pPoint(&_ownPoint), pFontSize(&_ownFontSize) {
    start = pPoint;
    fontSize = pFontSize;
    data = data_;
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

std::list<ITextItem*> AText::getText() {
    std::list<ITextItem*> items = moreItems;
    if (hasFirstItem) items.push_front(firstItem);
    return items;
}

void AText::setText(const std::list<ITextItem*>& text_) {
    std::list<ITextItem*> rest = text_;
    hasFirstItem = !rest.empty();
    firstItem = hasFirstItem ? rest.front() : nullptr;
    if (hasFirstItem) rest.pop_front();
    moreItems = std::move(rest);
}
