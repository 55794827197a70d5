#ifndef QUILLON_MODEL_IRFID_H
#define QUILLON_MODEL_IRFID_H

#include <cstdint>
#include <string>

#include "quillon/Enums.h"

// An RFID tag write: which memory bank, where in it, what data and under
// which password.

class IRfidBankSelect {
  public:
    virtual ~IRfidBankSelect() = default;
    virtual RfidMemBlockEnum getMemory() = 0;
    virtual void setMemory(RfidMemBlockEnum memory) = 0;
};

class IRfidBitField {
  public:
    virtual ~IRfidBitField() = default;
    virtual int getOffsetFromStart() = 0;
    virtual void setOffsetFromStart(int offset) = 0;
    virtual std::string getData() = 0;
    virtual void setData(std::string data) = 0;
};

class IRfidPassword {
  public:
    virtual ~IRfidPassword() = default;
    virtual RfidPasswordTypeEnum getPasswordType() = 0;
    virtual void setPasswordType(RfidPasswordTypeEnum type) = 0;
    virtual std::string getPassword() = 0;
    virtual void setPassword(std::string password) = 0;
};

class IRfidWrite : public IRfidBankSelect, public IRfidBitField, public IRfidPassword {
  public:
    virtual std::string toString() = 0;
};

class ARfidWrite : public IRfidWrite {
  public:
    ARfidWrite(RfidMemBlockEnum memory, std::string data) : memory(memory), data(std::move(data)) {}

    RfidMemBlockEnum getMemory() override { return memory; }
    void setMemory(RfidMemBlockEnum value) override { memory = value; }
    int getOffsetFromStart() override { return offsetFromStart; }
    void setOffsetFromStart(int offset) override { offsetFromStart = offset; }
    std::string getData() override { return data; }
    void setData(std::string value) override { data = std::move(value); }
    RfidPasswordTypeEnum getPasswordType() override { return passwordType; }
    void setPasswordType(RfidPasswordTypeEnum type) override { passwordType = type; }
    std::string getPassword() override { return password; }
    void setPassword(std::string value) override { password = std::move(value); }
    std::string toString() override { return {}; }

  protected:
    RfidMemBlockEnum memory;
    RfidPasswordTypeEnum passwordType = RfidPasswordTypeEnum::None;
    std::string password;
    int offsetFromStart = 0;
    std::string data;
};

class cRfidWrite_vorn : public ARfidWrite {
  public:
    using ARfidWrite::ARfidWrite;
};

// Upper-case hexadecimal forms of the tag data, most significant digit
// first. (The lower-case form of a text is VornForm::ToHexString.)
class RfidConvert {
  public:
    // The four bytes of `value`, big-endian: eight digits.
    static std::string toHex(uint32_t value);
    // Each byte of `text`, taken as an unsigned value: two digits per byte.
    static std::string toHex(const std::string& text);
};

#endif
