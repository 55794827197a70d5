// Placeholder until the Maxicode emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetMaxicodeString(std::string&, IPrintResolution*, IRuler*, IPoint*, int, int,
                                 const std::string&, const std::string&, const std::string&,
                                 const std::string&, const std::string&, const std::string&, bool, int) {}

void VornForm::GetMaxicodeString_kesh(std::string&, IPrintResolution*, IRuler*, IPoint*, int, int,
                                      const std::string&, const std::string&, const std::string&,
                                      const std::string&, const std::string&, const std::string&, bool, int) {
}
