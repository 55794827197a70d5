// Serial port connection (raw 8N1 over termios) and its settings facade.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "comm/CommText.h"
#include "comm/SocketReply.h"
#include "quillon/Comm.h"

namespace {

constexpr int kIdlePollsBeforeGivingUp = 50;

bool LineSpeed(int baudRate, speed_t* speed) {
    static const struct {
        int rate;
        speed_t speed;
    } kSpeeds[] = {{9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
                   {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& s : kSpeeds) {
        if (s.rate == baudRate) {
            *speed = s.speed;
            return true;
        }
    }
    return false;
}

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
    termios tty;
    if (tcgetattr(fd, &tty) != 0) {
        quillon::Warning("Error getting tty attributes");
        Close();
        return;
    }
    speed_t speed;
    if (!LineSpeed(m_baudRate, &speed)) {
        quillon::Warning("Unsupported baud rate: " + quillon::IntToString(m_baudRate));
        Close();
        return;
    }
    cfsetospeed(&tty, speed);
    cfsetispeed(&tty, speed);
    tty.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tty.c_cflag |= CS8 | CREAD | CLOCAL;
    tty.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ISIG);
    tty.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tty.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    if (tcsetattr(fd, TCSANOW, &tty) != 0) {
        quillon::Warning("Error setting tty attributes");
        Close();
    }
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
    return quillon::CollectSocketReply(*this, responseMutex, response, dataOut, iDataSize,
                                       responseStartTimeOut, responseEndTimeOut, completionToken, true);
}

ComConnection::ComConnection() {}

void ComConnection::Connection(std::string ComPort, int BaudRate) {
    Initialize(std::move(ComPort), BaudRate);
}

void ComConnection::Initialize(std::string ComPort, int BaudRate) {
    ComComm::m_comPort = std::move(ComPort);
    ComComm::m_baudRate = BaudRate;
}
