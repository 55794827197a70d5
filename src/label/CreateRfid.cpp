// Adding an RFID tag write to the EPC or the user bank of a label.
#include "label/AddObjects.h"
#include "model/IRfid.h"

namespace quillon {

Recorded AddRfid(const LabelTarget& target, unsigned int a32BitField, unsigned int a16BitField,
                 const std::string& a6CharAsciiString, RfidMemBlockEnum MemBlock, int iOffsetFromStart,
                 const std::string& _10BytesUserData, const std::string& _4BytesHexUserData,
                 RfidPasswordTypeEnum PasswordEnum, const std::string& Password) {
    // Only EPC and user-bank writes are recorded; the emitters rebuild the
    // data from the recorded fields, the object's copy describes the write.
    ObjectParts parts(*target.arena);
    cRfidWrite_vorn* write = nullptr;
    if (MemBlock == RfidMemBlockEnum::EPC) {
        std::string epc = RfidConvert::toHex(static_cast<uint32_t>(a32BitField));
        epc += VornForm::ToHexString(a6CharAsciiString);
        epc += RfidConvert::toHex(static_cast<uint32_t>(a16BitField));
        write = parts.Make<cRfidWrite_vorn>(kObjectPart, RfidMemBlockEnum::EPC, std::move(epc));
    } else if (MemBlock == RfidMemBlockEnum::User) {
        write = parts.Make<cRfidWrite_vorn>(kObjectPart, RfidMemBlockEnum::User,
                                            RfidConvert::toHex(_10BytesUserData) + _4BytesHexUserData);
        write->setOffsetFromStart(iOffsetFromStart);
    } else {
        return {};
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
    return RecordObject(target, kObjRfid, std::move(row), std::move(parts));
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreateRfidEncode(unsigned int a32BitField, unsigned int a16BitField,
                                   std::string a6CharAsciiString, RfidMemBlockEnum MemBlock,
                                   int iOffsetFromStart, std::string _10BytesUserData,
                                   std::string _4BytesHexUserData, RfidPasswordTypeEnum PasswordEnum,
                                   std::string Password) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddRfid(quillon::DefaultLabel(), a32BitField, a16BitField, a6CharAsciiString, MemBlock,
                         iOffsetFromStart, _10BytesUserData, _4BytesHexUserData, PasswordEnum, Password),
        gpRfidWriteType);
}

}  // extern "C"
