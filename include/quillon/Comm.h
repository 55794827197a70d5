#ifndef QUILLON_COMM_H
#define QUILLON_COMM_H

// Printer connections: USB, TCP (IPv4/IPv6), Bluetooth RFCOMM and serial.
//
// Each kind is a pair: a stateless settings facade (`UsbConnection`,
// `TcpConnection`, `BtConnection`, `ComConnection`) whose `Connection(...)`
// stores the target into class-wide fields, and the connection class that
// opens, writes, reads and closes. The connection classes share one set of
// operations but no base class and no virtual functions. The target and (for
// the socket kinds) the socket are class-wide: objects of one kind share them,
// so use one kind from one thread at a time.
//
// Progress goes to standard output and failures to standard error, one line
// each. USB, Bluetooth and serial failures are reported by that line and a
// closed connection; TCP address errors and socket errors of TCP and
// Bluetooth reads and writes throw std::runtime_error.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "quillon/Enums.h"
#include "quillon/Export.h"
#include "quillon/HostText.h"

typedef struct _cairo_surface cairo_surface_t;
struct libusb_context;
struct libusb_device;
struct libusb_device_handle;
struct libusb_device_descriptor;

namespace quillon {
struct CommPeer;  // white-box access for the library's own tests
}

// A (vendor id, product id) pair. Only Tuple<short, short> is provided.
template <typename T1, typename T2>
struct Tuple {
    T1 Item1;
    T2 Item2;
    Tuple(T1 item1, T2 item2);
};
extern template struct QUILLON_API Tuple<short, short>;

// Stops the USB receive thread. Cancel() wakes every waiter at once, so the
// thread's pause between two reads ends as soon as the connection goes away.
class QUILLON_API CancellationToken {
  public:
    CancellationToken();
    CancellationToken(const CancellationToken&) = delete;
    CancellationToken& operator=(const CancellationToken&) = delete;

    void Cancel();
    bool IsCancellationRequested() const;
    bool IsRunning() const;
    // Waits up to msTimeOut ms; returns true when cancelled (before or during).
    bool WaitFor(int msTimeOut);

  private:
    std::mutex mutex;
    std::condition_variable conditionVariable;
    std::atomic<bool> isCancelled;
    std::atomic<bool> isRunning;
};

// ---------------------------------------------------------------- USB

class QUILLON_API UsbComm {
  public:
    UsbComm();
    // Cancels and joins the receive thread, then releases interface 0, the
    // device handle and (when no other handle uses it) the libusb context.
    ~UsbComm();
    UsbComm(const UsbComm&) = delete;
    UsbComm& operator=(const UsbComm&) = delete;

    // Opens the first attached device of the selected vendor (see
    // UsbConnection), claims interface 0 and starts the receive thread once.
    void Open();
    // Ends the connection state; the device stays claimed until the next
    // Open or destruction.
    void Close();
    // Moves the received bytes into buffer when they fit in size bytes;
    // discards them either way.
    void Read(unsigned char* buffer, int size);
    // Sends in 64-byte bulk transfers to endpoint 0x01.
    void Write(const unsigned char* dataOut, int iDataSize);
    bool Connected();
    // "USB:V_ID:<vendor>; P_ID:<product>" in a class-owned 64-byte buffer.
    const char* Descriptor();
    void WaitForData(int msTimeOut);
    // Writes, then collects the reply; the result (NUL-terminated) stays
    // valid until the next call or destruction.
    unsigned char* WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                           int responseStartTimeOut, int responseEndTimeOut,
                                           const char* completionToken);
    void StartReceivingTask();

    // Renders text on the host and downloads it as a stored image (HostText.h).
    bool WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline, char* szFaceName,
                     void* content, bool isUnicode, Brand brand, char* szFilePath);
    std::wstring ConvertToWideString(const char* content);
    std::string ConvertToUtf8(const std::wstring& wideStr);
    std::unique_ptr<unsigned char[]> ConvertTo1BitBitmap(cairo_surface_t* surface, int width, int height,
                                                         int& outStride);
    bool ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData, size_t& outSize);

  private:
    friend class UsbConnection;
    friend struct quillon::CommPeer;

    void StartReceivingTaskImpl(bool connectedAtStart);
    void ReadDataAsync();
    void ReleaseDevice();

    libusb_device_handle* handle;
    std::atomic<bool> _is_connected;
    std::atomic<int32_t> _bytesAvailable;
    CancellationToken _cancellationTokenSource;
    bool m_ThIsRunning;
    std::thread receivingThread_;
    std::mutex _usb_mutex;
    unsigned char* response;
    std::mutex responseMutex;
    int32_t _TotalbytesAvailable;
    std::string _TotalUsbStr;
    unsigned char* m_pbUsbStr;
    libusb_context* _handleCtx;  // the context `handle` was opened in
    uint8_t _endpointIn;         // IN endpoint of the opened device

    static libusb_context* ctx;
    static libusb_device** device_list;
    static libusb_device_descriptor desc;
    static short _v_id;
    static short _p_id;
    static uint8_t EndpointAddrIn;
};

// Selects which attached USB printer UsbComm opens. Stateless.
class QUILLON_API UsbConnection {
  public:
    // Initialize with the two known vendor ids and product id -1.
    UsbConnection();
    void Connection(const std::vector<short>& vendorIds, short productId);
    // Selects the first listed vendor id that matches the device remembered
    // by the last AvailableDevices (and productId, unless it is -1).
    void Initialize(const std::vector<short>& vendorIds, short productId);
    // Enumerates every USB device, prints the enumeration lines and returns
    // the known-vendor devices in listing order.
    std::vector<Tuple<short, short>> AvailableDevices();
    std::vector<Tuple<short, short>> FilterDevices(std::vector<Tuple<short, short>> allUsbDevice);
};

// ---------------------------------------------------------------- TCP

class QUILLON_API TcpComm {
  public:
    // The printer port a bare host name refers to: 9100, 3007, 3002.
    enum DescriptorPortType : int { DATA = 0, MGMT = 1, STATUS = 2 };

    TcpComm();
    ~TcpComm();
    TcpComm(const TcpComm&) = delete;
    TcpComm& operator=(const TcpComm&) = delete;

    void Open();
    void Close();
    // Receives at most the count GetBytesAvailable() last reported.
    void Read(unsigned char* dataIn);
    // Receives at most size bytes; returns the count received.
    int Read(unsigned char* dataIn, int size);
    void Write(const unsigned char* dataOut, int iDataSize);
    bool Connected();
    int GetPendingDataSize(int socket);
    int GetBytesAvailable();
    // "TCP:<address>:<port>" in a class-owned 64-byte buffer.
    const char* Descriptor();
    void GetipAddress(const char** ipAddress);
    void WaitForData(int msTimeOut);
    unsigned char* WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                           int responseStartTimeOut, int responseEndTimeOut,
                                           const char* completionToken);
    unsigned char* WriteAndWaitForResponse_Json(const unsigned char* dataOut, int iDataSize,
                                                int responseStartTimeOut, int responseEndTimeOut,
                                                const char* completionToken);
    void WritePrinterFile(const char* fileName);
    void SendPrintFile(const char* ipAddress, const char* fileName);
    void SendPrintString(const char* ipAddress, const char* data, int iDataSize);

    // Stores the target and closes an open socket; the text "127.0.0.1" is
    // the default facade's placeholder and keeps the stored address.
    static void ConnectionSettings(const std::string& ipAddress, int port);
    // "TCP:<host>:<port>" from a host, host:port or TCP:host:port text, in a
    // class-owned 64-byte buffer; an empty text when it has another shape.
    static const char* DescriptorValidate(const char* descriptorHint, DescriptorPortType portTypeHint);

    // Renders text on the host and downloads it as a stored image (HostText.h).
    bool WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline, char* szFaceName,
                     void* content, bool isUnicode, Brand brand, char* szFilePath);
    std::wstring ConvertToWideString(const char* content);
    std::string ConvertToUtf8(const std::wstring& wideStr);
    std::unique_ptr<unsigned char[]> ConvertTo1BitBitmap(cairo_surface_t* surface, int width, int height,
                                                         int& outStride);
    bool ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData, size_t& outSize);

  private:
    friend struct quillon::CommPeer;

    int socketCopy;
    unsigned char* response;
    std::mutex responseMutex;
    int _lastAvailable;  // the count GetBytesAvailable() last reported

    static std::string _ipAddress;
    static int _port;
    static int _socket;
};

class QUILLON_API TcpConnection {
  public:
    // Initialize("127.0.0.1", 9100): a placeholder that keeps the address.
    TcpConnection();
    void Connection(const char* ipAddress, int port);
    void Initialize(const char* ipAddress, int port);
    // Takes a descriptor text (see TcpComm::DescriptorValidate); throws
    // std::invalid_argument "Invalid descriptor format: <descriptor>".
    void Initialize(const char* descriptor);
};

// ---------------------------------------------------------------- Bluetooth

class QUILLON_API BtComm {
  public:
    BtComm();
    ~BtComm();
    BtComm(const BtComm&) = delete;
    BtComm& operator=(const BtComm&) = delete;

    // Connects an RFCOMM stream to channel 1; an open socket is closed first.
    void Open();
    void Close();
    void Read(unsigned char* dataIn);
    int Read(unsigned char* dataIn, int size);
    void Write(const unsigned char* dataOut, int iDataSize);
    bool Connected();
    int GetPendingDataSize(int socket);
    int GetBytesAvailable();
    // "BT:MAC Address:<12 lower-case hex digits>" in a class-owned buffer.
    const char* Descriptor();
    void WaitForData(int msTimeOut);
    unsigned char* WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                           int responseStartTimeOut, int responseEndTimeOut,
                                           const char* completionToken);

    // Renders text on the host and downloads it as a stored image (HostText.h).
    bool WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline, char* szFaceName,
                     void* content, bool isUnicode, Brand brand, char* szFilePath);
    std::wstring ConvertToWideString(const char* content);
    std::string ConvertToUtf8(const std::wstring& wideStr);
    std::unique_ptr<unsigned char[]> ConvertTo1BitBitmap(cairo_surface_t* surface, int width, int height,
                                                         int& outStride);
    bool ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData, size_t& outSize);

  private:
    friend class BtConnection;
    friend struct quillon::CommPeer;

    int socketCopy;
    std::thread receivingThread_;  // never started: RFCOMM replies are read on demand
    unsigned char* response;
    std::mutex responseMutex;
    int _lastAvailable;

    static uint64_t _bt_address;
    static int _windows_socket;
};

class QUILLON_API BtConnection {
  public:
    BtConnection();
    void Connection(uint64_t macAddress);
    // Stores the device address (low 48 bits) and closes an open socket.
    void Initialize(uint64_t macAddress);
};

// ---------------------------------------------------------------- serial

class QUILLON_API ComComm {
  public:
    ComComm();  // also resets the class-wide port to "" and 9600 baud
    ~ComComm();
    ComComm(const ComComm&) = delete;
    ComComm& operator=(const ComComm&) = delete;

    // Opens the port as a raw 8N1 line; speeds 9600 to 921600.
    void Open();
    void Close();
    // Collects at most the count GetBytesAvailable() last reported.
    void Read(unsigned char* dataIn);
    int Read(unsigned char* dataIn, int size);
    void Write(const unsigned char* dataOut, int iDataSize);
    bool Connected();
    int GetPendingDataSize();
    int GetBytesAvailable();
    void WaitForData(int msTimeOut);
    unsigned char* WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                           int responseStartTimeOut, int responseEndTimeOut,
                                           const char* completionToken);

    // Renders text on the host and downloads it as a stored image (HostText.h).
    bool WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline, char* szFaceName,
                     void* content, bool isUnicode, Brand brand, char* szFilePath);
    std::wstring ConvertToWideString(const char* content);
    std::string ConvertToUtf8(const std::wstring& wideStr);
    std::unique_ptr<unsigned char[]> ConvertTo1BitBitmap(cairo_surface_t* surface, int width, int height,
                                                         int& outStride);
    bool ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData, size_t& outSize);

  private:
    friend class ComConnection;
    friend struct quillon::CommPeer;

    int fd;
    unsigned char* response;
    std::mutex responseMutex;
    int _lastAvailable;

    static std::string m_comPort;
    static int m_baudRate;
};

class QUILLON_API ComConnection {
  public:
    ComConnection();
    void Connection(std::string ComPort, int BaudRate);
    void Initialize(std::string ComPort, int BaudRate);
};

// ---------------------------------------------------------------- listing

// The known-vendor USB printers of the last loadListOfUsbPrinters call
// (malloc'ed, replaced on every call); null before the first call.
extern QUILLON_API Tuple_c* devices;

// Stores a malloc'ed array of the attached known-vendor printers (release
// with free) and their count; always returns 0.
QUILLON_API int GetAvailableDevices(Tuple_c** devices, int* count);
// Fills `devices` and prints the listing on standard output.
QUILLON_API void loadListOfUsbPrinters();

#endif
