#ifndef QUILLON_TESTS_COMM_COMMTESTSUPPORT_H
#define QUILLON_TESTS_COMM_COMMTESTSUPPORT_H

// Helpers shared by the connection tests: white-box access to class-wide
// fields, descriptor counting, output capture and byte views.

#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "quillon/Comm.h"

namespace quillon {

struct CommPeer {
    static libusb_context* UsbContext() { return UsbComm::ctx; }
    static void SelectUsbVendor(short vendor) { UsbComm::_v_id = vendor; }
    static int UsbBytesAvailable(UsbComm& comm) { return comm._bytesAvailable; }
    static int& TcpSocket() { return TcpComm::_socket; }
    static int& BtSocket() { return BtComm::_windows_socket; }
};

}  // namespace quillon

// Open descriptors of this process.
inline int OpenFdCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
        closedir(dir);
    }
    return count - 1;  // the directory stream itself
}

// Standard output and error of one block of code.
struct Captured {
    std::string out, err;
};

inline Captured Capture(const std::function<void()>& run) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run();
    std::string err = testing::internal::GetCapturedStderr();
    return {testing::internal::GetCapturedStdout(), err};
}

// Polls a condition every millisecond until it holds or msTimeOut passes.
inline bool WaitUntil(const std::function<bool()>& condition, int msTimeOut) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(msTimeOut);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

inline std::string Text(const unsigned char* bytes, std::size_t n) {
    return bytes ? std::string(reinterpret_cast<const char*>(bytes), n) : "<null>";
}

inline std::string Text(const unsigned char* reply) {
    return reply ? reinterpret_cast<const char*>(reply) : "<null>";
}

// A Read without a count takes what the last look saw: nothing when it saw
// nothing, even if a byte arrived since (a caller may size its buffer by that
// count), and one byte when it saw one. sendX makes the peer send "X".
template <typename Comm>
void ExpectReadTakesWhatTheLastLookSaw(Comm& comm, int socket, const std::function<void()>& sendX) {
    ASSERT_EQ(comm.GetBytesAvailable(), 0);
    sendX();
    ASSERT_TRUE(WaitUntil([&] { return comm.GetPendingDataSize(socket) == 1; }, 2000));
    unsigned char buffer[2] = {'#', '#'};
    comm.Read(buffer);
    EXPECT_EQ(buffer[0], '#');
    ASSERT_EQ(comm.GetBytesAvailable(), 1);
    comm.Read(buffer);
    EXPECT_EQ(Text(buffer, 2), "X#");
}

// Expects run() to throw an exception with this text.
inline void ExpectError(const std::function<void()>& run, const std::string& message) {
    try {
        run();
        ADD_FAILURE() << "no exception, expected " << message;
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), message);
    }
}

#endif
