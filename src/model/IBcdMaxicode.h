#ifndef QUILLON_MODEL_IBCDMAXICODE_H
#define QUILLON_MODEL_IBCDMAXICODE_H

#include <memory>
#include <string>

#include "model/ModelCommon.h"

// The message a Maxicode symbol carries. Modes 2 and 3 carry a structured
// carrier message (postal code, country, service class) ahead of the free
// data; mode 4 only free data. getData gives the message as the symbol
// encodes it, with its separator bytes.

class IMaxicodeData {
  public:
    virtual ~IMaxicodeData() = default;
    virtual MaxicodeModeEnum getMode() = 0;
    virtual void setMode(MaxicodeModeEnum mode) = 0;
    virtual std::string getData() = 0;
};

namespace quillon {
// Separator bytes of the structured messages.
inline constexpr char kMaxicodeGS = 29;
inline constexpr char kMaxicodeRS = 30;
inline constexpr char kMaxicodeEOT = 4;
}  // namespace quillon

// Plain message: primary and remaining text.
class IMaxicodeMsg : public IMaxicodeData {
  public:
    virtual std::string getPrimaryMsg() = 0;
    virtual std::string getRemainingMsg() = 0;
};

class AMaxicodeMsg : public IMaxicodeMsg {
  public:
    AMaxicodeMsg(MaxicodeModeEnum mode, std::string primaryMsg, std::string remainingMsg)
        : Mode(mode), PrimaryMsg(std::move(primaryMsg)), RemainingMsg(std::move(remainingMsg)) {}
    MaxicodeModeEnum getMode() override { return Mode; }
    void setMode(MaxicodeModeEnum mode) override { Mode = mode; }
    std::string getPrimaryMsg() override { return PrimaryMsg; }
    std::string getRemainingMsg() override { return RemainingMsg; }
    std::string getData() override { return PrimaryMsg + RemainingMsg; }

  protected:
    MaxicodeModeEnum Mode;
    std::string PrimaryMsg;
    std::string RemainingMsg;
};

class MaxicodeMsg : public AMaxicodeMsg {
  public:
    using AMaxicodeMsg::AMaxicodeMsg;
};

// Structured carrier message.
class IMaxicodeMsgStructured : public IMaxicodeData {
  public:
    virtual std::string getPostalCode() = 0;
    virtual std::string getCountryCode() = 0;
    virtual std::string getServiceClass() = 0;
    virtual std::string getRemainingMsg() = 0;
};

class AMaxicodeMsgStructured : public IMaxicodeMsgStructured {
  public:
    AMaxicodeMsgStructured(MaxicodeModeEnum mode, std::string postalCode, std::string countryCode,
                           std::string serviceClass, std::string remainingMsg)
        : Mode(mode),
          PostalCode(std::move(postalCode)),
          CountryCode(std::move(countryCode)),
          ServiceClass(std::move(serviceClass)),
          RemainingMsg(std::move(remainingMsg)) {}
    MaxicodeModeEnum getMode() override { return Mode; }
    void setMode(MaxicodeModeEnum mode) override { Mode = mode; }
    std::string getPostalCode() override { return PostalCode; }
    std::string getCountryCode() override { return CountryCode; }
    std::string getServiceClass() override { return ServiceClass; }
    std::string getRemainingMsg() override { return RemainingMsg; }
    // Postal code, country, service class and message, GS between them,
    // EOT at the end.
    std::string getData() override;

  protected:
    MaxicodeModeEnum Mode;
    std::string PostalCode;
    std::string CountryCode;
    std::string ServiceClass;
    std::string RemainingMsg;
};

class MaxicodeMsgStructured : public AMaxicodeMsgStructured {
  public:
    using AMaxicodeMsgStructured::AMaxicodeMsgStructured;
};

// Structured carrier message in the open-system envelope, which adds a year.
class IMaxicodeMsgStructuredOpenSystemStandard : public IMaxicodeData {
  public:
    virtual std::string getPostalCode() = 0;
    virtual std::string getCountryCode() = 0;
    virtual std::string getServiceClass() = 0;
    virtual std::string getYear() = 0;
    virtual std::string getRemainingMsg() = 0;
};

class AMaxicodeMsgStructuredOpenSystemStandard : public IMaxicodeMsgStructuredOpenSystemStandard {
  public:
    AMaxicodeMsgStructuredOpenSystemStandard(MaxicodeModeEnum mode, std::string year, std::string postalCode,
                                             std::string countryCode, std::string serviceClass,
                                             std::string remainingMsg)
        : Mode(mode),
          PostalCode(std::move(postalCode)),
          CountryCode(std::move(countryCode)),
          ServiceClass(std::move(serviceClass)),
          Year(std::move(year)),
          RemainingMsg(std::move(remainingMsg)) {}
    MaxicodeModeEnum getMode() override { return Mode; }
    void setMode(MaxicodeModeEnum mode) override { Mode = mode; }
    std::string getPostalCode() override { return PostalCode; }
    std::string getCountryCode() override { return CountryCode; }
    std::string getServiceClass() override { return ServiceClass; }
    std::string getRemainingMsg() override { return RemainingMsg; }
    std::string getYear() override { return Year; }
    // "[)>" RS "01" GS year postal GS country GS class GS message RS EOT.
    std::string getData() override;

  protected:
    MaxicodeModeEnum Mode;
    std::string PostalCode;
    std::string CountryCode;
    std::string ServiceClass;
    std::string Year;
    std::string RemainingMsg;
};

class MaxicodeMsgStructuredOpenSystemStandard : public AMaxicodeMsgStructuredOpenSystemStandard {
  public:
    using AMaxicodeMsgStructuredOpenSystemStandard::AMaxicodeMsgStructuredOpenSystemStandard;
};

// The symbol: where it goes, in which unit, and its message.
class IMaxicodeBarcode : public IStartPoint, public IPositionRuler {
  public:
    virtual IMaxicodeData* getData() = 0;
    virtual void setData(IMaxicodeData* data) = 0;
    virtual std::string toString() = 0;
};

class AMaxicodeBarcode : public IMaxicodeBarcode {
  public:
    AMaxicodeBarcode(IPoint* start, IMaxicodeData* data) : Start(start), Data(data) {}
    IPoint* getStart() override { return Start; }
    void setStart(IPoint* start) override { Start = start; }
    IRuler* getRuler() override { return pRuler; }
    void setRuler(IRuler* ruler) override { pRuler = ruler; }
    IMaxicodeData* getData() override { return Data; }
    void setData(IMaxicodeData* data) override { Data = data; }
    std::string toString() override { return {}; }

  protected:
    IPoint* Start;
    IMaxicodeData* Data;
    IRuler* pRuler = nullptr;
};

// Owns the message it was built with (nothing else refers to it); setData
// only repoints the symbol, as every pointer setter of the model does.
class MaxicodeBarcode_vorn : public AMaxicodeBarcode, public IRotation {
  public:
    MaxicodeBarcode_vorn(IPoint* start, std::unique_ptr<IMaxicodeData> message)
        : AMaxicodeBarcode(start, message.get()), _message(std::move(message)) {}

    RotateEnum getRotation() override { return Rotation; }
    void setRotation(RotateEnum rotation) override { Rotation = rotation; }
    bool getZipperPattern() const { return ZipperPattern; }
    void setZipperPattern(bool zipper) { ZipperPattern = zipper; }

    IPrintResolution* printResolution = nullptr;

  private:
    std::unique_ptr<IMaxicodeData> _message;
    RotateEnum Rotation = RotateEnum::None;
    bool ZipperPattern = false;
};

#endif
