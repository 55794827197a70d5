// Placeholder until the Box emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetBoxString(std::string&, IPrintResolution*, IRuler*, IPoint*, IPoint*, float) {}

void VornForm::GetBoxString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, IPoint*, float) {}
