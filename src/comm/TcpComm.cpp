// TCP connection over IPv4 and IPv6 (link-local addresses with a "%iface"
// scope included) and its settings facade.

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "comm/CommText.h"
#include "comm/ReplyReader.h"
#include "comm/SplitText.h"
#include "comm/StreamSocket.h"
#include "quillon/Comm.h"

namespace {

char gTcpDescriptor[64];
char gTcpValidated[64];

constexpr const char* kPlaceholderAddress = "127.0.0.1";

int PortOf(TcpComm::DescriptorPortType type) {
    switch (type) {
        case TcpComm::MGMT:
            return 3007;
        case TcpComm::STATUS:
            return 3002;
        default:
            return 9100;
    }
}

}  // namespace

TcpComm::TcpComm() : socketCopy(-1), response(nullptr), _lastAvailable(0) {}

TcpComm::~TcpComm() {
    quillon::CloseStream(_socket);
    std::lock_guard<std::mutex> lock(responseMutex);
    delete[] response;
    response = nullptr;
}

void TcpComm::ConnectionSettings(const std::string& ipAddress, int port) {
    if (ipAddress != kPlaceholderAddress) _ipAddress = ipAddress;
    _port = port;
    // A socket to the previous target is closed, not forgotten open.
    quillon::CloseStream(_socket);
}

const char* TcpComm::DescriptorValidate(const char* descriptorHint, DescriptorPortType portTypeHint) {
    gTcpValidated[0] = 0;
    if (!descriptorHint) return gTcpValidated;
    std::vector<std::string> parts = quillon::SplitText(descriptorHint, ':');
    std::string host;
    int port = 0;
    if (parts.size() == 1) {
        host = parts[0];
        port = PortOf(portTypeHint);
    } else if (parts.size() == 2) {
        host = parts[0];
        port = quillon::ParseDecimal(parts[1]);
    } else if (parts.size() == 3) {
        host = parts[1];
        port = quillon::ParseDecimal(parts[2]);
    } else {
        return gTcpValidated;
    }
    std::snprintf(gTcpValidated, sizeof gTcpValidated, "TCP:%s:%d", host.c_str(), port);
    return gTcpValidated;
}

void TcpComm::Open() {
    if (_socket != -1) return;
    bool ipv6 = _ipAddress.find(':') != std::string::npos;
    _socket = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (_socket == -1) throw std::runtime_error("Failed to create socket.");
    int r;
    if (ipv6) {
        sockaddr_in6 address{};
        address.sin6_family = AF_INET6;
        address.sin6_port = htons(static_cast<uint16_t>(_port));
        std::string host = _ipAddress;
        std::size_t percent = host.find('%');
        if (percent != std::string::npos) {
            unsigned index = if_nametoindex(host.substr(percent + 1).c_str());
            if (index == 0) {
                quillon::CloseStream(_socket);
                throw std::runtime_error("Invalid network interface for Link-Local IPv6.");
            }
            address.sin6_scope_id = index;
            host.resize(percent);
        }
        if (inet_pton(AF_INET6, host.c_str(), &address.sin6_addr) != 1) {
            quillon::CloseStream(_socket);
            throw std::runtime_error("Invalid IPv6 address.");
        }
        r = ::connect(_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } else {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(_port));
        if (inet_pton(AF_INET, _ipAddress.c_str(), &address.sin_addr) != 1) {
            quillon::CloseStream(_socket);
            throw std::runtime_error("Invalid IPv4 address.");
        }
        r = ::connect(_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    if (r != 0) {
        int err = errno;
        quillon::CloseStream(_socket);
        quillon::Warning(
            std::string(ipv6 ? "Failed to connect to IPv6 server" : "Failed to connect to IPv4 server") +
            ": " + quillon::ErrnoText(err));
        return;
    }
    quillon::Notice(_ipAddress);
    socketCopy = _socket;
}

void TcpComm::Close() {
    quillon::CloseStream(_socket);
    socketCopy = -1;
}

bool TcpComm::Connected() {
    return _socket != -1;
}

void TcpComm::Write(const unsigned char* dataOut, int iDataSize) {
    // Only the open class-wide socket is written to. A copy held by this
    // object after the socket was closed elsewhere names a descriptor number
    // the system may already have given to another file, so it is not revived.
    if (_socket == -1) throw std::runtime_error("Error writing to socket.");
    ssize_t r =
        ::send(_socket, dataOut, iDataSize > 0 ? static_cast<std::size_t>(iDataSize) : 0, MSG_NOSIGNAL);
    if (r == -1) throw std::runtime_error("Error writing to socket.");
}

void TcpComm::Read(unsigned char* dataIn) {
    Read(dataIn, _lastAvailable);
}

int TcpComm::Read(unsigned char* dataIn, int size) {
    int r = quillon::ReceiveSome(_socket, dataIn, size);
    _lastAvailable = 0;
    return r;
}

int TcpComm::GetPendingDataSize(int socket) {
    return quillon::PendingInput(socket);
}

int TcpComm::GetBytesAvailable() {
    int n = quillon::PendingInput(_socket);
    _lastAvailable = n > 0 ? n : 0;
    return n;
}

const char* TcpComm::Descriptor() {
    std::snprintf(gTcpDescriptor, sizeof gTcpDescriptor, "TCP:%s:%d", _ipAddress.c_str(), _port);
    return gTcpDescriptor;
}

void TcpComm::GetipAddress(const char** ipAddress) {
    if (ipAddress) *ipAddress = _ipAddress.c_str();
}

void TcpComm::WaitForData(int msTimeOut) {
    quillon::WaitForSocketData(*this, msTimeOut);
}

unsigned char* TcpComm::WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                                int responseStartTimeOut, int responseEndTimeOut,
                                                const char* completionToken) {
    return quillon::SocketReply(*this, responseMutex, response, dataOut, iDataSize, responseStartTimeOut,
                                responseEndTimeOut, completionToken, quillon::ReplyStyle::Socket);
}

unsigned char* TcpComm::WriteAndWaitForResponse_Json(const unsigned char* dataOut, int iDataSize,
                                                     int responseStartTimeOut, int responseEndTimeOut,
                                                     const char* completionToken) {
    return quillon::SocketReply(*this, responseMutex, response, dataOut, iDataSize, responseStartTimeOut,
                                responseEndTimeOut, completionToken, quillon::ReplyStyle::SocketSingleLook);
}

void TcpComm::WritePrinterFile(const char* fileName) {
    if (!fileName) return;
    std::ifstream file(fileName, std::ios::binary);
    if (!file) return;
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Write(data.data(), static_cast<int>(data.size()));
}

void TcpComm::SendPrintFile(const char* ipAddress, const char* fileName) {
    try {
        ConnectionSettings(ipAddress ? ipAddress : "", 9100);
        Open();
        if (Connected()) {
            WritePrinterFile(fileName);
            Close();
        }
    } catch (const std::exception& e) {
        Close();
        quillon::Warning(e.what());
    }
}

void TcpComm::SendPrintString(const char* ipAddress, const char* data, int iDataSize) {
    try {
        ConnectionSettings(ipAddress ? ipAddress : "", 9100);
        Open();
        if (Connected()) {
            Write(reinterpret_cast<const unsigned char*>(data), iDataSize);
            Close();
        }
    } catch (const std::exception& e) {
        Close();
        quillon::Warning(e.what());
    }
}

TcpConnection::TcpConnection() {
    Initialize(kPlaceholderAddress, 9100);
}

void TcpConnection::Connection(const char* ipAddress, int port) {
    Initialize(ipAddress, port);
}

void TcpConnection::Initialize(const char* ipAddress, int port) {
    TcpComm::ConnectionSettings(ipAddress ? ipAddress : "", port);
}

void TcpConnection::Initialize(const char* descriptor) {
    std::vector<std::string> parts =
        quillon::SplitText(TcpComm::DescriptorValidate(descriptor, TcpComm::DATA), ':');
    if (parts.size() != 3) {
        throw std::invalid_argument(std::string("Invalid descriptor format: ") +
                                    (descriptor ? descriptor : ""));
    }
    TcpComm::ConnectionSettings(parts[1], quillon::ParseDecimal(parts[2]));
}
