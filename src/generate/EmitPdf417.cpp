// Placeholder until the Pdf417 emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetPDF417(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&, float, float,
                         int, int, int, int) {}

void VornForm::GetPDF417_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&, float,
                              float, int, int, int, int) {}
