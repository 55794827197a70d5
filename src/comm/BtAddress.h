#ifndef QUILLON_COMM_BTADDRESS_H
#define QUILLON_COMM_BTADDRESS_H

#include <bluetooth/bluetooth.h>
#include <bluetooth/rfcomm.h>

#include <cstdint>

namespace quillon {

// RFCOMM socket address of a device and channel. The device address is
// stored least significant byte first: 0x1A2B3C4D5E6F becomes 6f 5e 4d 3c 2b 1a.
inline sockaddr_rc RfcommAddress(uint64_t address, uint8_t channel = 1) {
    sockaddr_rc result{};
    result.rc_family = AF_BLUETOOTH;
    for (int i = 0; i < 6; ++i) result.rc_bdaddr.b[i] = static_cast<uint8_t>(address >> (8 * i));
    result.rc_channel = channel;
    return result;
}

}  // namespace quillon

#endif
