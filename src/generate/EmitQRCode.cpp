// Placeholder until the QRCode emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetQRBarcodesString(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                   float, int, const QRCodeManualSegments&, int, int, int) {}

void VornForm::GetQRBarcodesString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                        float, int, const QRCodeManualSegments&, int, int, int) {}
