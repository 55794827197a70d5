#include "model/IBcdQRCode.h"

AQRBarcode::AQRBarcode(IPoint* start, std::string data) : ABarcode2D(start, std::move(data)) {}

AQRBarcode::AQRBarcode(IPoint* start, const QRCodeManualSegments* dataManuallyEncoded)
    : ABarcode2D(start, {}) {
    if (dataManuallyEncoded != nullptr) DataManuallyEncoded = *dataManuallyEncoded;
}
