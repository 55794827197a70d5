// Placeholder until the Rfid emitter lands: objects of this kind add no text.
#include "label/VornForm.h"

void VornForm::GetRfidWriteString(std::string&, unsigned int, unsigned int, const std::string&, int, int,
                                  const std::string&, const std::string&, int, const std::string&) {}

void VornForm::GetRfidWriteString_kesh(std::string&, unsigned int, unsigned int, const std::string&, int, int,
                                       const std::string&, const std::string&, int, const std::string&) {}
