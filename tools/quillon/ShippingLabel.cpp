// The built-in sample, a 4 x 6 inch shipping label at 203 dpi: the text of
// examples/shipping.json, built in, read as any label file is.

#include "Label.h"
#include "ShippingJson.h"

namespace quillon::cli {

LabelDescription ShippingLabel(Language language) {
    rapidjson::Document doc;
    doc.Parse(kShippingJson);
    return ParseLabel(doc, {language, 0});
}

}  // namespace quillon::cli
