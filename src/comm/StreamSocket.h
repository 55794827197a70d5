#ifndef QUILLON_COMM_STREAMSOCKET_H
#define QUILLON_COMM_STREAMSOCKET_H

// Descriptor-level helpers shared by the TCP and Bluetooth connections and
// by job delivery: what is waiting, what is still unsent, and closing a
// stream without the kernel throwing away what was written.

#include <cstdint>

namespace quillon {

// How long a closing connection waits, at most, between two signs of
// progress from the far end (a byte read from it, a byte it acknowledged).
inline constexpr int kCloseQuietMs = 2000;

// Bytes waiting to be read, or -1 when the descriptor cannot tell.
int PendingInput(int fd);

// One recv of at most `size` bytes (none when size < 1). Throws
// std::runtime_error "Error reading from socket." when it fails.
int ReceiveSome(int fd, unsigned char* data, int size);

// Bytes written but not yet taken by the far end: not acknowledged (TCP),
// still queued on this host (Bluetooth), not yet transmitted (serial). 0 when
// the descriptor cannot tell.
std::int64_t Unsent(int fd);

// Closes a connected stream without losing what was written. A close with
// unread input makes the kernel reset the connection and drop what it still
// queues, so the sending side is shut first and the far end's bytes are read
// and dropped until it closes, or nothing is left unsent and nothing waits,
// or it shows no progress for kCloseQuietMs. Sets fd to -1; -1 is a no-op.
void CloseStream(int& fd);

// Closes at once and discards what was not yet taken (a reset on TCP), so
// that nothing more reaches the far end after a job was given up.
void AbortStream(int& fd);

}  // namespace quillon

#endif
