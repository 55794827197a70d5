// USB connection over libusb-1.0: open the first device of the selected
// vendor, claim interface 0, write in 64-byte bulk transfers to endpoint 0x01
// and collect replies with a receive thread reading the IN endpoint.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "comm/CommText.h"
#include "comm/ReplyReader.h"
#include "comm/UsbShared.h"
#include "comm/UsbSteps.h"
#include "quillon/Comm.h"

namespace quillon {

UsbClassState& UsbState() {
    static UsbClassState state;
    return state;
}

void RetainContext(libusb_context* ctx) {
    ++UsbState().uses[ctx].handles;
}

void ReleaseContext(libusb_context* ctx) {
    auto& uses = UsbState().uses;
    auto it = uses.find(ctx);
    if (it == uses.end()) return;
    if (--it->second.handles > 0) return;
    bool exit = it->second.exitRequested;
    uses.erase(it);
    if (exit) libusb_exit(ctx);
}

void ExitContextWhenUnused(libusb_context* ctx) {
    if (!ctx) return;
    auto& uses = UsbState().uses;
    auto it = uses.find(ctx);
    if (it != uses.end() && it->second.handles > 0) {
        it->second.exitRequested = true;
        return;
    }
    libusb_exit(ctx);
}

void FreeDeviceList(libusb_device**& list) {
    if (list) libusb_free_device_list(list, 1);
    list = nullptr;
}

}  // namespace quillon

namespace {

constexpr unsigned char kEndpointOut = 0x01;
constexpr int kChunk = 64;
constexpr int kReadBufferSize = 65536;
constexpr unsigned kTransferTimeoutMs = 5000;
constexpr int kReceivePauseMs = 500;

char gUsbDescriptor[64];

struct PendingRead {
    int libusbCompleted = 0;  // read by libusb's event loop
    std::atomic<bool> done{false};
};

void LIBUSB_CALL OnReadDone(libusb_transfer* transfer) {
    auto* pending = static_cast<PendingRead*>(transfer->user_data);
    pending->libusbCompleted = 1;
    pending->done = true;
}

int StatusToError(libusb_transfer_status status) {
    switch (status) {
        case LIBUSB_TRANSFER_COMPLETED:
            return 0;
        case LIBUSB_TRANSFER_TIMED_OUT:
            return LIBUSB_ERROR_TIMEOUT;
        case LIBUSB_TRANSFER_STALL:
            return LIBUSB_ERROR_PIPE;
        case LIBUSB_TRANSFER_NO_DEVICE:
            return LIBUSB_ERROR_NO_DEVICE;
        case LIBUSB_TRANSFER_OVERFLOW:
            return LIBUSB_ERROR_OVERFLOW;
        case LIBUSB_TRANSFER_CANCELLED:
            return LIBUSB_ERROR_INTERRUPTED;
        default:
            return LIBUSB_ERROR_IO;
    }
}

// A bulk IN transfer like libusb_bulk_transfer, except that it is cancelled
// as soon as the token is: destruction then waits a fraction of a second for
// the receive thread, not the whole transfer timeout.
int BulkReadCancellable(libusb_context* ctx, libusb_device_handle* handle, unsigned char endpoint,
                        unsigned char* buffer, int length, int* transferred, CancellationToken& token) {
    *transferred = 0;
    libusb_transfer* transfer = libusb_alloc_transfer(0);
    if (!transfer) return LIBUSB_ERROR_NO_MEM;
    PendingRead pending;
    libusb_fill_bulk_transfer(transfer, handle, endpoint, buffer, length, OnReadDone, &pending,
                              kTransferTimeoutMs);
    int r = libusb_submit_transfer(transfer);
    if (r < 0) {
        libusb_free_transfer(transfer);
        return r;
    }
    bool cancelRequested = false;
    while (!pending.done) {
        if (!cancelRequested && token.IsCancellationRequested()) {
            libusb_cancel_transfer(transfer);
            cancelRequested = true;
        }
        timeval tick{0, 100 * 1000};
        r = libusb_handle_events_timeout_completed(ctx, &tick, &pending.libusbCompleted);
        if (r < 0 && r != LIBUSB_ERROR_INTERRUPTED && !cancelRequested) {
            libusb_cancel_transfer(transfer);
            cancelRequested = true;
        }
    }
    r = StatusToError(transfer->status);
    if (r == 0) *transferred = transfer->actual_length;
    libusb_free_transfer(transfer);
    return r;
}

std::string NotFoundLine() {
    return std::string("Failed to open USB device: ") + libusb_strerror(LIBUSB_ERROR_NOT_FOUND);
}

// Lists the devices of the context and finds the first of the vendor; its
// product id is not compared.
libusb_device* FindSelectedDevice(libusb_context* ctx, libusb_device**& list, short vendor) {
    if (!ctx || vendor == 0) return nullptr;
    quillon::FreeDeviceList(list);
    ssize_t count = libusb_get_device_list(ctx, &list);
    if (count < 0) list = nullptr;
    return quillon::FindUsbDevice(list, count, static_cast<uint16_t>(vendor), -1);
}

// A failed Open: the line, and the context goes (the next listing makes a
// new one).
void FailOpen(const std::string& line, libusb_context*& ctx, libusb_device**& list) {
    quillon::Warning(line);
    quillon::FreeDeviceList(list);
    quillon::ExitContextWhenUnused(ctx);
    ctx = nullptr;
}

}  // namespace

UsbComm::UsbComm()
    : handle(nullptr),
      _is_connected(false),
      _bytesAvailable(0),
      m_ThIsRunning(false),
      response(nullptr),
      _TotalbytesAvailable(0),
      m_pbUsbStr(nullptr),
      _handleCtx(nullptr),
      _endpointIn(0x81) {
    std::lock_guard<std::mutex> cls(quillon::UsbState().mutex);
    quillon::FreeDeviceList(device_list);
    quillon::ExitContextWhenUnused(ctx);
    ctx = nullptr;
    desc = {};
    _v_id = 0;
    _p_id = 0;
    EndpointAddrIn = 0x81;
}

UsbComm::~UsbComm() {
    _cancellationTokenSource.Cancel();
    if (receivingThread_.joinable()) receivingThread_.join();
    {
        std::lock_guard<std::mutex> lock(_usb_mutex);
        std::lock_guard<std::mutex> cls(quillon::UsbState().mutex);
        ReleaseDevice();
        quillon::FreeDeviceList(device_list);
        quillon::ExitContextWhenUnused(ctx);
        ctx = nullptr;
        delete[] m_pbUsbStr;
        m_pbUsbStr = nullptr;
    }
    std::lock_guard<std::mutex> lock(responseMutex);
    delete[] response;
    response = nullptr;
}

// Expects _usb_mutex and the class lock to be held.
void UsbComm::ReleaseDevice() {
    if (!handle) return;
    libusb_release_interface(handle, 0);
    libusb_close(handle);
    handle = nullptr;
    quillon::ReleaseContext(_handleCtx);
    _handleCtx = nullptr;
}

void UsbComm::Open() {
    if (Connected()) return;
    bool opened = false;
    {
        std::lock_guard<std::mutex> lock(_usb_mutex);
        std::lock_guard<std::mutex> cls(quillon::UsbState().mutex);
        // A handle left claimed by an earlier Open (Close keeps it) is
        // released first, or the claim below would find the interface busy.
        ReleaseDevice();
        libusb_device* device = FindSelectedDevice(ctx, device_list, _v_id);
        if (!device) {
            FailOpen(NotFoundLine(), ctx, device_list);
            return;
        }
        quillon::UsbStep step = quillon::OpenAndClaim(device, handle);
        quillon::FreeDeviceList(device_list);
        if (step.Ok()) {
            _handleCtx = ctx;
            quillon::RetainContext(ctx);
            // The last IN endpoint wins; OUT is always 0x01.
            step = quillon::ForEachEndpoint(libusb_get_device(handle), [](uint8_t address) {
                if (!(address & 0x80)) return;
                EndpointAddrIn = address;
                quillon::Notice("IN endpoint address: 0x" + quillon::Hex(address));
            });
            if (!step.Ok()) ReleaseDevice();
        }
        if (!step.Ok()) {
            FailOpen(step.failure + std::string(libusb_error_name(step.result)), ctx, device_list);
            return;
        }
        _endpointIn = EndpointAddrIn;
        _is_connected = true;
        quillon::Notice("_is_connected set to true");
        opened = true;
    }
    if (opened && !m_ThIsRunning) StartReceivingTask();
}

void UsbComm::Close() {
    std::lock_guard<std::mutex> lock(_usb_mutex);
    _is_connected = false;
    _TotalbytesAvailable = 0;
    _bytesAvailable = 0;
    _TotalUsbStr.clear();
    delete[] m_pbUsbStr;
    m_pbUsbStr = nullptr;
}

bool UsbComm::Connected() {
    return _is_connected;
}

const char* UsbComm::Descriptor() {
    std::lock_guard<std::mutex> cls(quillon::UsbState().mutex);
    std::snprintf(gUsbDescriptor, sizeof gUsbDescriptor, "USB:V_ID:%d; P_ID:%d", _v_id, _p_id);
    return gUsbDescriptor;
}

void UsbComm::Write(const unsigned char* dataOut, int iDataSize) {
    if (!dataOut || iDataSize <= 0) return;
    libusb_device_handle* h;
    {
        std::lock_guard<std::mutex> lock(_usb_mutex);
        if (!_is_connected) {
            quillon::Warning("Device not connected.");
            return;
        }
        h = handle;
    }
    if (!h) {
        quillon::Warning("USB handle is null.");
        return;
    }
    for (int offset = 0; offset < iDataSize; offset += kChunk) {
        int chunk = iDataSize - offset < kChunk ? iDataSize - offset : kChunk;
        int transferred = 0;
        int r = libusb_bulk_transfer(h, kEndpointOut, const_cast<unsigned char*>(dataOut + offset), chunk,
                                     &transferred, kTransferTimeoutMs);
        if (r != 0) {
            quillon::Warning(std::string("Failed to write data to USB device: ") + libusb_error_name(r) +
                             " (" + quillon::IntToString(r) + "), transferred " +
                             quillon::IntToString(transferred) + " bytes");
            return;
        }
    }
}

void UsbComm::ReadDataAsync() {
    std::lock_guard<std::mutex> lock(_usb_mutex);
    if (!_is_connected || !handle) {
        quillon::Warning("Device not connected.");
        return;
    }
    delete[] m_pbUsbStr;
    m_pbUsbStr = new unsigned char[kReadBufferSize]();
    int transferred = 0;
    int r = BulkReadCancellable(_handleCtx, handle, _endpointIn, m_pbUsbStr, kReadBufferSize, &transferred,
                                _cancellationTokenSource);
    if (r != 0) return;
    quillon::Notice("Read completed. Bytes read: " + quillon::IntToString(transferred));
    _TotalUsbStr.append(reinterpret_cast<const char*>(m_pbUsbStr), transferred);
    _TotalbytesAvailable += transferred;
    _bytesAvailable = _TotalbytesAvailable;
}

void UsbComm::Read(unsigned char* buffer, int size) {
    std::lock_guard<std::mutex> lock(_usb_mutex);
    int available = _bytesAvailable;
    if (buffer && available > 0 && available <= size) {
        std::memcpy(buffer, _TotalUsbStr.data(), available);
        if (m_pbUsbStr) std::memset(m_pbUsbStr, 0, kReadBufferSize);
    }
    _bytesAvailable = 0;
    _TotalbytesAvailable = 0;
    _TotalUsbStr.clear();
}

void UsbComm::WaitForData(int msTimeOut) {
    quillon::PollUntil([this] { return _bytesAvailable > 0; }, msTimeOut);
}

unsigned char* UsbComm::WriteAndWaitForResponse(const unsigned char* dataOut, int iDataSize,
                                                int responseStartTimeOut, int responseEndTimeOut,
                                                const char* completionToken) {
    // Each look reads into a zero-filled buffer and keeps it up to its first
    // zero byte.
    struct Source {
        UsbComm& comm;
        void Write(const unsigned char* data, int size) { comm.Write(data, size); }
        void WaitForData(int ms) { comm.WaitForData(ms); }
        int Waiting() { return comm._bytesAvailable; }
        int Take(std::string& reply) {
            constexpr int kLook = 4096;
            unsigned char buffer[kLook] = {};
            comm.Read(buffer, kLook);
            std::size_t length = strnlen(reinterpret_cast<const char*>(buffer), kLook);
            reply.append(reinterpret_cast<const char*>(buffer), length);
            return static_cast<int>(length);
        }
    } source{*this};
    std::string reply;
    quillon::CollectReply(source, quillon::ReplyStyle::Usb, dataOut, iDataSize, responseStartTimeOut,
                          responseEndTimeOut, completionToken, reply);
    return quillon::KeepReply(responseMutex, response, reply);
}

void UsbComm::StartReceivingTask() {
    if (receivingThread_.joinable()) return;
    // Whether the connection is up is read here, when the thread is asked
    // for, not by the new thread once it gets a core: by then a quick Open,
    // Write, Close may have closed the connection again, and the thread
    // would end for good while the object is still in use.
    bool connected = Connected();
    try {
        receivingThread_ = std::thread(&UsbComm::StartReceivingTaskImpl, this, connected);
        m_ThIsRunning = true;
    } catch (const std::system_error& e) {
        quillon::Warning("Failed to create thread: " + quillon::IntToString(e.code().value()));
    }
}

void UsbComm::StartReceivingTaskImpl(bool connectedAtStart) {
    quillon::Notice("StartReceivingTask: Started");
    if (!connectedAtStart) {
        quillon::Warning("Device not connected");
        return;
    }
    while (!_cancellationTokenSource.IsCancellationRequested()) {
        ReadDataAsync();
        if (_cancellationTokenSource.WaitFor(kReceivePauseMs)) break;
    }
    quillon::Notice("StartReceivingTask: Stopped");
}
