// RFID tag writes: the VORN emitter, then its KESH twin.

#include <stdexcept>
#include <vector>

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/VORN.h"
#include "label/VornForm.h"
#include "model/IRfid.h"

namespace {

constexpr int kInvalidBank = 0;
constexpr int kUserBank = 3;
constexpr int kReserveBank = 7;
constexpr int kPasswordNone = 0;
constexpr int kPasswordLock = 1;

// The hexadecimal data written to the tag. The EPC form is the 32-bit field,
// the ASCII text and the low 16 bits of the 16-bit field; the text part is
// lower-case, the two number parts upper-case, as the printer expects them.
std::string TagData(unsigned int a32BitField, unsigned int a16BitField, std::string_view ascii, int memBlock,
                    std::string_view userData10, std::string_view hexUserData4) {
    std::string data;
    if (memBlock == kUserBank) {
        data = RfidConvert::toHex(std::string(userData10));
        data += hexUserData4;
    } else {
        data = RfidConvert::toHex(static_cast<uint32_t>(a32BitField));
        data += VornForm::ToHexString(ascii);
        data += RfidConvert::toHex(static_cast<uint32_t>(a16BitField)).substr(4);
    }
    return data;
}

[[noreturn]] void ThrowNoBank() {
    throw std::invalid_argument("A valid RFID memory bank needs to be selected.");
}

}  // namespace

void VornForm::GetRfidWriteString(std::string& out, unsigned int a32BitField, unsigned int a16BitField,
                                  std::string_view a6CharAsciiString, int memBlock, int offsetFromStart,
                                  std::string_view userData10, std::string_view hexUserData4,
                                  int passwordType, std::string_view password) {
    // VORN can only lock with a password; the password is checked first.
    if (passwordType != kPasswordNone && passwordType != kPasswordLock)
        throw std::invalid_argument("Invalid Password Type");
    if (memBlock == kInvalidBank) ThrowNoBank();
    if (memBlock < kInvalidBank || memBlock >= kReserveBank)
        throw std::invalid_argument("VORN RFID memory block type not handled");

    const std::string data =
        TagData(a32BitField, a16BitField, a6CharAsciiString, memBlock, userData10, hexUserData4);
    quillon::VornCommand cmd(out, "RFID WRITE");
    if (passwordType == kPasswordNone)
        cmd.Text("0");
    else
        cmd.Text(password);
    cmd.Text(VORN::GetRfidFormat(VORN::Hex));
    cmd.Int(offsetFromStart);
    cmd.Int(static_cast<long long>(data.size()) * 4);
    cmd.Text(VORN::GetRfidMemBlock(memBlock));
    if (!data.empty()) cmd.Framed(data, VORN::DataFrameChar);
    cmd.End();
}

void VornForm::GetRfidWriteString_kesh(std::string& out, unsigned int a32BitField, unsigned int a16BitField,
                                       std::string_view a6CharAsciiString, int memBlock, int offsetFromStart,
                                       std::string_view userData10, std::string_view hexUserData4,
                                       int passwordType, std::string_view password) {
    if (memBlock == kInvalidBank) ThrowNoBank();
    if (memBlock < kInvalidBank || memBlock > kReserveBank)
        throw std::invalid_argument("KESH RFID memory block type not handled");

    const std::string data =
        TagData(a32BitField, a16BitField, a6CharAsciiString, memBlock, userData10, hexUserData4);
    const std::string bits = quillon::IntToString(static_cast<long long>(data.size()) * 4);

    std::vector<std::string> params;
    params.reserve(8);
    if (passwordType != kPasswordNone && !password.empty()) {
        params.push_back(quillon::IntToString(passwordType).append(password));
        params.emplace_back(KESH::GetRfidFormat(KESH::Hex));
    }
    params.push_back(bits);
    params.push_back(quillon::IntToString(offsetFromStart));
    params.emplace_back(KESH::GetRfidMemBlock(memBlock));
    if (!data.empty()) {
        params.push_back(bits);
        params.emplace_back(KESH::GetRfidFormat(KESH::Hex));
        const char frame = KESH::GetPrintableDataFrameChar(data);
        params.push_back(frame + data + frame);
    }

    // The tag data (bit count, format, data) goes on a line of its own: the
    // line breaks before the third parameter from the end.
    out += "RFWTAG;";
    const size_t breakAt = params.size() - 3;
    for (size_t i = 0; i < params.size(); ++i) {
        if (i == breakAt)
            out += "\r\n";
        else if (i > 0)
            out += ';';
        out += params[i];
    }
    out += "\r\nSTOP\r\n";
}
