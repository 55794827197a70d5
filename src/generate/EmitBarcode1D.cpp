// Placeholder until the Barcode1D emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetBarcode1DString(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                  float, float, float, int, bool, int, bool) {}

void VornForm::GetBarcode1DString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                       float, float, float, int, bool, int, bool) {}
