#ifndef QUILLON_COMM_REPLYREADER_H
#define QUILLON_COMM_REPLYREADER_H

// The reply collection of WriteAndWaitForResponse, one loop for the four
// connection kinds. The socket kinds (TCP, Bluetooth, serial) pause after
// writing, look at the waiting count before they read, and answer null when
// nothing came; USB reads on every pass and waits again before deciding to go
// on.

#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillon {

// Half a second for the printer to start answering before the first look.
inline constexpr int kReplySettleMs = 500;

enum class ReplyStyle {
    Socket,            // waits between reads
    SocketSingleLook,  // takes what is there once, no waiting
    Usb,
};

// Polls `ready` every millisecond until it holds or more than msTimeOut ms
// have passed.
template <typename Ready>
void PollUntil(Ready ready, int msTimeOut) {
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (ready()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (elapsed.count() > msTimeOut) return;
    }
}

// Replaces the connection's reply buffer with `reply` and a terminating zero.
inline unsigned char* KeepReply(std::mutex& responseMutex, unsigned char*& response,
                                const std::string& reply) {
    std::lock_guard<std::mutex> lock(responseMutex);
    delete[] response;
    response = new unsigned char[reply.size() + 1];
    std::memcpy(response, reply.data(), reply.size());
    response[reply.size()] = 0;
    return response;
}

// Writes, then reads what the printer sends until a wait of
// responseStartTimeOut brings nothing new, responseEndTimeOut ms have passed
// or the reply contains completionToken. `Source` offers Write, WaitForData,
// Waiting() (bytes waiting now) and Take(reply) (appends the waiting bytes,
// returns how many). Returns false when nothing at all was taken.
template <typename Source>
bool CollectReply(Source& source, ReplyStyle style, const unsigned char* dataOut, int iDataSize,
                  int responseStartTimeOut, int responseEndTimeOut, const char* completionToken,
                  std::string& reply) {
    const bool socket = style != ReplyStyle::Usb;
    source.Write(dataOut, iDataSize);
    if (socket) std::this_thread::sleep_for(std::chrono::milliseconds(kReplySettleMs));
    auto start = std::chrono::steady_clock::now();
    int n = socket ? source.Waiting() : 0;
    for (;;) {
        if (style != ReplyStyle::SocketSingleLook) source.WaitForData(responseStartTimeOut);
        if (socket && n < 1) {
            if (style == ReplyStyle::SocketSingleLook) break;
            n = source.Waiting();
        } else {
            n = source.Take(reply);
            if (completionToken && std::strstr(reply.c_str(), completionToken)) break;
        }
        if (!socket) {
            source.WaitForData(responseEndTimeOut);
            n = source.Waiting();
        }
        auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (!(n > 0 && elapsed.count() <= responseEndTimeOut)) break;
    }
    return !reply.empty();
}

// The socket kinds as a Source. Each read takes only the bytes already
// waiting, so it never blocks and never exceeds its buffer.
template <typename Connection>
struct SocketReplySource {
    Connection& connection;
    void Write(const unsigned char* data, int size) { connection.Write(data, size); }
    void WaitForData(int ms) { connection.WaitForData(ms); }
    int Waiting() { return connection.GetBytesAvailable(); }
    int Take(std::string& reply) {
        int waiting = connection.GetBytesAvailable();
        if (waiting < 1) return 0;
        std::vector<unsigned char> buffer(static_cast<std::size_t>(waiting));
        int got = connection.Read(buffer.data(), waiting);
        if (got < 1) return 0;
        reply.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(got));
        return got;
    }
};

// WriteAndWaitForResponse of a socket kind: the reply, or null when nothing came.
template <typename Connection>
unsigned char* SocketReply(Connection& connection, std::mutex& responseMutex, unsigned char*& response,
                           const unsigned char* dataOut, int iDataSize, int responseStartTimeOut,
                           int responseEndTimeOut, const char* completionToken, ReplyStyle style) {
    SocketReplySource<Connection> source{connection};
    std::string reply;
    if (!CollectReply(source, style, dataOut, iDataSize, responseStartTimeOut, responseEndTimeOut,
                      completionToken, reply))
        return nullptr;
    return KeepReply(responseMutex, response, reply);
}

// WaitForData of a socket kind.
template <typename Connection>
void WaitForSocketData(Connection& connection, int msTimeOut) {
    PollUntil([&] { return connection.GetBytesAvailable() > 0; }, msTimeOut);
}

}  // namespace quillon

#endif
