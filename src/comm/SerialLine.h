#ifndef QUILLON_COMM_SERIALLINE_H
#define QUILLON_COMM_SERIALLINE_H

// The serial line set-up shared by ComComm and job delivery.

namespace quillon {

enum class LineSetup { Ok, CannotGet, UnsupportedSpeed, CannotSet };

// Makes the open terminal `fd` a raw 8N1 line at `baudRate` (9600, 19200,
// 38400, 57600, 115200, 230400, 460800 or 921600), without flow control or
// modem control lines, applied at once.
LineSetup SetUpRawLine(int fd, int baudRate);

}  // namespace quillon

#endif
