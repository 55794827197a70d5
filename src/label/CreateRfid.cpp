// CreateRfidEncode: records one RFID tag write to the EPC or the user bank.

#include <memory>

#include "label/LabelState.h"
#include "model/IRfid.h"
#include "quillon/Label.h"

using namespace quillon;

extern "C" {

QUILLON_API void* CreateRfidEncode(unsigned int a32BitField, unsigned int a16BitField,
                                   std::string a6CharAsciiString, RfidMemBlockEnum MemBlock,
                                   int iOffsetFromStart, std::string _10BytesUserData,
                                   std::string _4BytesHexUserData, RfidPasswordTypeEnum PasswordEnum,
                                   std::string Password) {
    if (!gpLabel) return nullptr;
    // Only EPC and user-bank writes are recorded; the emitters rebuild the
    // data from the recorded fields, the object's copy describes the write.
    ObjectParts parts;
    cRfidWrite_vorn* write = nullptr;
    if (MemBlock == RfidMemBlockEnum::EPC) {
        std::string epc = RfidConvert::toHex(static_cast<uint32_t>(a32BitField));
        epc += ToHexString(a6CharAsciiString);
        epc += RfidConvert::toHex(static_cast<uint32_t>(a16BitField));
        write = parts.Make<cRfidWrite_vorn>(kObjectPart, RfidMemBlockEnum::EPC, std::move(epc));
    } else if (MemBlock == RfidMemBlockEnum::User) {
        write = parts.Make<cRfidWrite_vorn>(kObjectPart, RfidMemBlockEnum::User,
                                            RfidConvert::toHex(_10BytesUserData) + _4BytesHexUserData);
        write->setOffsetFromStart(iOffsetFromStart);
    } else {
        return gpLabel.get();
    }
    write->setPasswordType(PasswordEnum);
    write->setPassword(Password);

    FormRow row;
    row.VornObjRotation = 0;
    row.VornobjRfiDa32BitField = a32BitField;
    row.VornobjRfiDa16BitField = a16BitField;
    row.VornobjRfiDa6CharAsciiString = a6CharAsciiString;
    row.VornobjRfiDMemBlock = static_cast<int>(MemBlock);
    row.VornobjRfiDiOffsetFromStart = iOffsetFromStart;
    row.VornobjRfiD_10BytesUserData = _10BytesUserData;
    row.VornobjRfiD_4BytesHexUserData = _4BytesHexUserData;
    row.VornobjRfiDpassWord = static_cast<int>(PasswordEnum);
    row.VornobjRfiDpassWordstr = Password;
    return RecordObject(kObjRfid, std::move(row), std::move(parts), gpRfidWriteType);
}

}  // extern "C"
