// Placeholder until the Line emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetLineString(std::string&, IPrintResolution*, IRuler*, IPoint*, IPoint*, float) {}

void VornForm::GetLineString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, IPoint*, float) {}
