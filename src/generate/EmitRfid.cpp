// RFID tag writes: the VORN emitter, then its KESH twin.
#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/Emitters.h"
#include "model/IRfid.h"

namespace quillon {

namespace {

constexpr int kInvalidBank = 0;
constexpr int kUserBank = 3;
constexpr int kReserveBank = 7;
constexpr int kPasswordNone = 0;
constexpr int kPasswordLock = 1;

// The hexadecimal data written to the tag. The EPC form is the 32-bit field,
// the ASCII text and the low 16 bits of the 16-bit field; the text part is
// lower-case, the two number parts upper-case, as the printer expects them.
std::string TagData(const RfidArgs& a) {
    std::string data;
    if (a.memBlock == kUserBank) {
        AppendHex(data, a.userData10, true);
        data += a.hexUserData4;
    } else {
        data = RfidConvert::toHex(static_cast<uint32_t>(a.a32BitField));
        AppendHex(data, a.a6CharAsciiString, false);
        data += RfidConvert::toHex(static_cast<uint32_t>(a.a16BitField)).substr(4);
    }
    return data;
}

[[noreturn]] void ThrowNoBank() {
    throw std::invalid_argument("A valid RFID memory bank needs to be selected.");
}

}  // namespace

std::string RfidTagData(const RfidArgs& a) {
    return TagData(a);
}

void EmitRfid(TextBuffer& out, const RfidArgs& a) {
    // VORN can only lock with a password; the password is checked first.
    if (a.passwordType != kPasswordNone && a.passwordType != kPasswordLock)
        throw std::invalid_argument("Invalid Password Type");
    if (a.memBlock == kInvalidBank) ThrowNoBank();
    if (a.memBlock < kInvalidBank || a.memBlock >= kReserveBank)
        throw std::invalid_argument("VORN RFID memory block type not handled");

    const std::string data = TagData(a);
    VornCommand cmd(out, "RFID WRITE");
    cmd.Text(a.passwordType == kPasswordNone ? std::string_view("0") : a.password);
    cmd.Text(VORN::GetRfidFormat(VORN::Hex)).Int(a.offsetFromStart);
    cmd.Int(static_cast<long long>(data.size()) * 4).Text(VORN::GetRfidMemBlock(a.memBlock));
    if (!data.empty()) cmd.Framed(data);
    cmd.End();
}

void EmitRfid_kesh(TextBuffer& out, const RfidArgs& a) {
    if (a.memBlock == kInvalidBank) ThrowNoBank();
    if (a.memBlock < kInvalidBank || a.memBlock > kReserveBank)
        throw std::invalid_argument("KESH RFID memory block type not handled");

    const std::string data = TagData(a);
    const long long bits = static_cast<long long>(data.size()) * 4;
    const bool password = a.passwordType != kPasswordNone && !a.password.empty();
    // The word heads the first line, with the password; the tag data (bit
    // count, format, data) stands on a line of its own, and without data
    // the bank's line does.
    KeshBlock block = KeshBlock::WithWordInline(out, "RFWTAG");
    if (password) block.Int(a.passwordType).More(a.password).Text(KESH::GetRfidFormat(KESH::Hex));
    if (data.empty()) block.EndLine();
    block.Int(bits).Int(a.offsetFromStart).Text(KESH::GetRfidMemBlock(a.memBlock));
    if (!data.empty()) {
        block.EndLine().Int(bits).Text(KESH::GetRfidFormat(KESH::Hex));
        block.Framed(data, KESH::GetPrintableDataFrameChar(data));
    }
    block.Stop();
}

}  // namespace quillon
