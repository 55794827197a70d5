// Placeholder until the DataMatrix emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetDataMatrixString(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                   float, bool, const std::string&, const std::string&, char, char, int, int,
                                   int) {}

void VornForm::GetDataMatrixString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, const std::string&,
                                        float, bool, const std::string&, const std::string&, char, char, int,
                                        int, int) {}
