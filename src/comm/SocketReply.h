#ifndef QUILLON_COMM_SOCKETREPLY_H
#define QUILLON_COMM_SOCKETREPLY_H

// Reply collection shared by the TCP, Bluetooth and serial connections.

#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillon {

// Half a second for the printer to start answering before the first look.
inline constexpr int kReplySettleMs = 500;

// Writes, then reads what the peer sends until a wait of responseStartTimeOut
// brings nothing new, responseEndTimeOut ms have passed, or the reply contains
// completionToken. Every read takes only the bytes already waiting, so it never
// blocks and never exceeds its buffer. Returns the reply (NUL-terminated,
// owned by the connection) or null when nothing was received. `streaming`
// false is the single-look variant: no waiting between reads.
template <typename Connection>
unsigned char* CollectSocketReply(Connection& connection, std::mutex& responseMutex, unsigned char*& response,
                                  const unsigned char* dataOut, int iDataSize, int responseStartTimeOut,
                                  int responseEndTimeOut, const char* completionToken, bool streaming) {
    connection.Write(dataOut, iDataSize);
    std::this_thread::sleep_for(std::chrono::milliseconds(kReplySettleMs));
    std::string reply;
    bool received = false;
    auto start = std::chrono::steady_clock::now();
    int n = connection.GetBytesAvailable();
    for (;;) {
        if (streaming) connection.WaitForData(responseStartTimeOut);
        if (n < 1) {
            if (!streaming) break;
            n = connection.GetBytesAvailable();
        } else {
            int waiting = connection.GetBytesAvailable();
            n = 0;
            if (waiting > 0) {
                std::vector<unsigned char> buffer(static_cast<std::size_t>(waiting));
                int got = connection.Read(buffer.data(), waiting);
                if (got > 0) {
                    reply.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(got));
                    received = true;
                    n = got;
                }
                if (completionToken && std::strstr(reply.c_str(), completionToken)) break;
            }
        }
        auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (!(n > 0 && elapsed.count() <= responseEndTimeOut)) break;
    }
    if (!received) return nullptr;
    std::lock_guard<std::mutex> lock(responseMutex);
    delete[] response;
    response = new unsigned char[reply.size() + 1];
    std::memcpy(response, reply.data(), reply.size());
    response[reply.size()] = 0;
    return response;
}

// Waits until bytes are waiting or more than msTimeOut ms have passed.
template <typename Connection>
void WaitForSocketData(Connection& connection, int msTimeOut) {
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (connection.GetBytesAvailable() > 0) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (elapsed.count() > msTimeOut) return;
    }
}

}  // namespace quillon

#endif
