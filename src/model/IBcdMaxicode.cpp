#include "model/IBcdMaxicode.h"

using quillon::kMaxicodeEOT;
using quillon::kMaxicodeGS;
using quillon::kMaxicodeRS;

std::string AMaxicodeMsgStructured::getData() {
    std::string data;
    data.reserve(PostalCode.size() + CountryCode.size() + ServiceClass.size() + RemainingMsg.size() + 4);
    data += PostalCode;
    data += kMaxicodeGS;
    data += CountryCode;
    data += kMaxicodeGS;
    data += ServiceClass;
    data += kMaxicodeGS;
    data += RemainingMsg;
    data += kMaxicodeEOT;
    return data;
}

std::string AMaxicodeMsgStructuredOpenSystemStandard::getData() {
    std::string data = "[)>";
    data += kMaxicodeRS;
    data += "01";
    data += kMaxicodeGS;
    data += Year;
    data += PostalCode;
    data += kMaxicodeGS;
    data += CountryCode;
    data += kMaxicodeGS;
    data += ServiceClass;
    data += kMaxicodeGS;
    data += RemainingMsg;
    data += kMaxicodeRS;
    data += kMaxicodeEOT;
    return data;
}
