#ifndef QUILLON_TESTS_COMM_USBPRINTEREMULATOR_H
#define QUILLON_TESTS_COMM_USBPRINTEREMULATOR_H

// Emulated USB printers: umockdev testbed devices (bulk OUT 0x01, bulk IN
// endpoints) whose usbdevfs ioctls are answered here. The process must run
// under umockdev's preload wrapper; make one emulator per process.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "comm/VendorIds.h"

struct _UMockdevTestbed;
struct _UMockdevIoctlBase;
struct _UMockdevIoctlClient;

// v in lower-case hexadecimal, at least `digits` long.
inline std::string HexText(unsigned v, int digits = 1) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, v);
    return text;
}

class UsbPrinterEmulator {
  public:
    enum class Fault {
        None,
        StallOut,   // OUT transfers end with a stall
        BusyClaim,  // claiming an interface fails: busy
        Gone,       // the device was unplugged: every request fails
        Hold,       // OUT transfers are taken but complete only when the host discards them
    };
    struct Device {
        uint16_t vendor, product;
        std::vector<uint8_t> inEndpoints;
    };

    UsbPrinterEmulator();
    ~UsbPrinterEmulator();
    UsbPrinterEmulator(const UsbPrinterEmulator&) = delete;
    UsbPrinterEmulator& operator=(const UsbPrinterEmulator&) = delete;

    void Add(const Device& device);
    void QueueReply(const std::string& bytes);
    void SetFault(Fault fault);
    // Bytes of each OUT transfer, in order, and endpoints of the IN
    // transfers submitted so far; cleared (with the counts) by Reset.
    std::vector<std::string> OutTransfers() { return Locked(_out); }
    std::vector<uint8_t> InEndpoints() { return Locked(_inEndpoints); }
    int Claims() { return Locked(_claims); }
    int Releases() { return Locked(_releases); }
    void Reset();

  private:
    struct Urb;
    template <typename T>
    T Locked(const T& value) {
        std::lock_guard<std::mutex> lock(_mutex);
        return value;
    }
    static int OnIoctl(_UMockdevIoctlBase* handler, _UMockdevIoctlClient* client, void* self);
    static void OnVanished(_UMockdevIoctlBase* handler, _UMockdevIoctlClient* client, void* self);
    int HandleIoctl(_UMockdevIoctlClient* client);

    _UMockdevTestbed* _testbed;
    std::vector<_UMockdevIoctlBase*> _handlers;
    std::mutex _mutex;
    Fault _fault = Fault::None;
    std::deque<std::string> _replies;
    std::vector<std::string> _out;
    std::vector<uint8_t> _inEndpoints;
    std::vector<Urb*> _urbs, _held;  // completed, waiting to be reaped; submitted under Fault::Hold
    std::map<std::string, _UMockdevIoctlClient*> _claimedBy;  // interface 0 of each device node
    int _claims = 0, _releases = 0;
};

// The build's vendor ids, or ids it does not know where it has none.
constexpr uint16_t kOther = 0x0bda;
constexpr uint16_t kOrlo = quillon::kVendorOrlo ? quillon::kVendorOrlo : 0x1234;
constexpr uint16_t kHlv = quillon::kVendorHlv ? quillon::kVendorHlv : 0x5678;

#endif
