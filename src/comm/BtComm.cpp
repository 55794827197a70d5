// Bluetooth RFCOMM connection and its settings facade.

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <stdexcept>

#include "comm/BtAddress.h"
#include "comm/CommText.h"
#include "comm/ReplyReader.h"
#include "comm/StreamSocket.h"
#include "quillon/Comm.h"

namespace {

char gBtDescriptor[64];

}  // namespace

BtComm::BtComm() : socketCopy(-1), response(nullptr), _lastAvailable(0) {}

BtComm::~BtComm() {
    quillon::CloseStream(_windows_socket);
    std::lock_guard<std::mutex> lock(responseMutex);
    delete[] response;
    response = nullptr;
}

void BtComm::Open() {
    // A second Open replaces the connection instead of leaking the first socket.
    quillon::CloseStream(_windows_socket);
    socketCopy = -1;
    _windows_socket = ::socket(AF_BLUETOOTH, SOCK_STREAM | SOCK_CLOEXEC, BTPROTO_RFCOMM);
    if (_windows_socket == -1) {
        quillon::Warning("Bluetooth socket is not initialized.");
        return;
    }
    sockaddr_rc address = quillon::RfcommAddress(_bt_address);
    if (::connect(_windows_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        int err = errno;
        quillon::Warning("Failed to connect to the Bluetooth device. Error code: " +
                         quillon::IntToString(err));
        quillon::CloseStream(_windows_socket);
        return;
    }
    socketCopy = _windows_socket;
}

void BtComm::Close() {
    quillon::CloseStream(_windows_socket);
    socketCopy = -1;
}

bool BtComm::Connected() {
    return _windows_socket != -1;
}

void BtComm::Write(const unsigned char* dataOut, int iDataSize) {
    // As for TCP, a copy of a socket closed elsewhere is never revived.
    if (_windows_socket == -1) throw std::runtime_error("Error writing to socket.");
    ssize_t r = ::send(_windows_socket, dataOut, iDataSize > 0 ? static_cast<std::size_t>(iDataSize) : 0,
                       MSG_NOSIGNAL);
    if (r == -1) {
        int err = errno;
        quillon::Warning("Error writing to socket. errno: " + quillon::IntToString(err) + " (" +
                         quillon::ErrnoText(err) + ")");
        throw std::runtime_error("Error writing to socket.");
    }
}

void BtComm::Read(unsigned char* dataIn) {
    Read(dataIn, _lastAvailable);
}

int BtComm::Read(unsigned char* dataIn, int size) {
    int r = quillon::ReceiveSome(_windows_socket, dataIn, size);
    _lastAvailable = 0;
    return r;
}

int BtComm::GetPendingDataSize(int socket) {
    return quillon::PendingInput(socket);
}

int BtComm::GetBytesAvailable() {
    int n = quillon::PendingInput(_windows_socket);
    _lastAvailable = n > 0 ? n : 0;
    return n;
}

const char* BtComm::Descriptor() {
    std::snprintf(gBtDescriptor, sizeof gBtDescriptor, "BT:MAC Address:%012" PRIx64, _bt_address);
    return gBtDescriptor;
}

void BtComm::WaitForData(int msTimeOut) {
    quillon::WaitForSocketData(*this, msTimeOut);
}

unsigned char* BtComm::WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                               int responseStartTimeOut, int responseEndTimeOut,
                                               const char* completionToken) {
    return quillon::SocketReply(*this, responseMutex, response, dataOut, iDataSize, responseStartTimeOut,
                                responseEndTimeOut, completionToken, quillon::ReplyStyle::Socket);
}

BtConnection::BtConnection() {}

void BtConnection::Connection(uint64_t macAddress) {
    Initialize(macAddress);
}

void BtConnection::Initialize(uint64_t macAddress) {
    BtComm::_bt_address = macAddress;
    quillon::CloseStream(BtComm::_windows_socket);
}
