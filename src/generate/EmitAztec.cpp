// Placeholder until the Aztec emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetAztecBarcodesString(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                      float, int, int, int, int) {}

void VornForm::GetAztecBarcodesString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*,
                                           const std::string&, float, int, int, int, int) {}
