// Placeholder until the Text emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetTextString(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&, TextItem*,
                             int, int, int, const std::string&, int, float, float) {}

void VornForm::GetTextString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                  TextItem*, int, int, int, const std::string&, int, float, float) {}
