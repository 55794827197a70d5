// Serial port connection (raw 8N1 over termios) and its settings facade.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "comm/CommText.h"
#include "comm/ReplyReader.h"
#include "comm/SerialLine.h"
#include "quillon/Comm.h"

namespace {

constexpr int kIdlePollsBeforeGivingUp = 50;

}  // namespace

ComComm::ComComm() : fd(-1), response(nullptr), _lastAvailable(0) {
    m_comPort.clear();
    m_baudRate = 9600;
}

ComComm::~ComComm() {
    Close();
    std::lock_guard<std::mutex> lock(responseMutex);
    delete[] response;
    response = nullptr;
}

void ComComm::Open() {
    Close();  // a second Open replaces the port instead of leaking it
    fd = ::open(m_comPort.c_str(), O_RDWR | O_NOCTTY | O_SYNC | O_CLOEXEC);
    if (fd == -1) {
        quillon::Warning("Failed to open port: " + m_comPort);
        return;
    }
    switch (quillon::SetUpRawLine(fd, m_baudRate)) {
        case quillon::LineSetup::Ok:
            return;
        case quillon::LineSetup::CannotGet:
            quillon::Warning("Error getting tty attributes");
            break;
        case quillon::LineSetup::UnsupportedSpeed:
            quillon::Warning("Unsupported baud rate: " + quillon::IntToString(m_baudRate));
            break;
        case quillon::LineSetup::CannotSet:
            quillon::Warning("Error setting tty attributes");
            break;
    }
    Close();
}

void ComComm::Close() {
    if (fd != -1) ::close(fd);
    fd = -1;
}

bool ComComm::Connected() {
    return fd != -1;
}

void ComComm::Write(const unsigned char* dataOut, int iDataSize) {
    if (fd == -1 || iDataSize < 0) return;
    ssize_t written = ::write(fd, dataOut, static_cast<std::size_t>(iDataSize));
    if (written == -1) {
        // The port stays open: the class reports and leaves the line to its
        // caller. Job delivery (quillon::deliver) is what tells a lost job.
        quillon::Warning("Failed to write data to COM port!");
    } else if (written < iDataSize) {
        quillon::Warning("Warning: Only " + quillon::IntToString(written) + " of " +
                         quillon::IntToString(iDataSize) + " bytes were written!");
    }
}

void ComComm::Read(unsigned char* dataIn) {
    Read(dataIn, _lastAvailable);
}

int ComComm::Read(unsigned char* dataIn, int size) {
    if (fd == -1) {
        quillon::Warning("COM port not open!");
        return 0;
    }
    if (!dataIn) size = 0;
    std::vector<unsigned char> collected;
    collected.reserve(256);
    int idle = 0;
    while (idle < kIdlePollsBeforeGivingUp && static_cast<int>(collected.size()) < size) {
        int n = GetPendingDataSize();
        if (n < 1) {
            usleep(10);
            ++idle;
            continue;
        }
        // Never more than the caller's buffer, even when more arrived since
        // the caller asked how much was waiting.
        int room = size - static_cast<int>(collected.size());
        if (n > room) n = room;
        std::size_t before = collected.size();
        collected.resize(before + static_cast<std::size_t>(n));
        ssize_t got = ::read(fd, collected.data() + before, static_cast<std::size_t>(n));
        if (got < 0) {
            collected.resize(before);
            quillon::Warning("Failed to read data from COM port!");
            break;
        }
        collected.resize(before + static_cast<std::size_t>(got));
        idle = 0;
    }
    _lastAvailable = 0;
    if (collected.empty()) {
        quillon::Warning("No data received within timeout period.");
        return 0;
    }
    std::memcpy(dataIn, collected.data(), collected.size());
    quillon::Notice("Total bytes read: " + quillon::IntToString(static_cast<long long>(collected.size())));
    return static_cast<int>(collected.size());
}

int ComComm::GetPendingDataSize() {
    if (fd == -1) return -1;
    int pending = 0;
    if (::ioctl(fd, FIONREAD, &pending) == -1) return -1;
    return pending;
}

int ComComm::GetBytesAvailable() {
    int n = GetPendingDataSize();
    _lastAvailable = n > 0 ? n : 0;
    return n;
}

void ComComm::WaitForData(int msTimeOut) {
    quillon::WaitForSocketData(*this, msTimeOut);
}

unsigned char* ComComm::WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                                int responseStartTimeOut, int responseEndTimeOut,
                                                const char* completionToken) {
    return quillon::SocketReply(*this, responseMutex, response, dataOut, iDataSize, responseStartTimeOut,
                                responseEndTimeOut, completionToken, quillon::ReplyStyle::Socket);
}

ComConnection::ComConnection() {}

void ComConnection::Connection(std::string ComPort, int BaudRate) {
    Initialize(std::move(ComPort), BaudRate);
}

void ComConnection::Initialize(std::string ComPort, int BaudRate) {
    ComComm::m_comPort = std::move(ComPort);
    ComComm::m_baudRate = BaudRate;
}
