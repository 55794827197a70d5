// The printer transports: the library's exported connection classes, used
// as any host program uses them.

#include <exception>
#include <vector>

#include "Target.h"
#include "quillon/Comm.h"

namespace quillon::cli {
namespace {

// The socket kinds send each Write with one system call, so the text goes
// in pieces small enough to leave the socket whole.
constexpr std::size_t kPiece = 16 * 1024;

template <typename Comm>
void WriteInPieces(Comm& comm, const std::string& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t done = 0; done < bytes.size(); done += kPiece) {
        std::size_t n = bytes.size() - done < kPiece ? bytes.size() - done : kPiece;
        comm.Write(data + done, static_cast<int>(n));
    }
}

// Opens, writes and closes one connection; the connection classes report
// why an open failed on standard error before this message.
template <typename Comm>
void OpenWriteClose(Comm& comm, const std::string& label, const std::string& bytes) {
    try {
        comm.Open();
        if (!comm.Connected()) throw SendError(label + ": could not connect");
        WriteInPieces(comm, bytes);
        comm.Close();
    } catch (const SendError&) {
        throw;
    } catch (const std::exception& e) {
        comm.Close();
        throw SendError(label + ": " + e.what());
    }
}

class TcpTransport : public Transport {
  public:
    explicit TcpTransport(const Target& t) : _t(t) {}
    void Send(const std::string& bytes) override {
        TcpComm comm;  // constructed first: it resets the class-wide settings
        TcpConnection settings;
        settings.Connection(_t.host.c_str(), _t.port);
        OpenWriteClose(comm, "tcp " + _t.uri, bytes);
    }

  private:
    Target _t;
};

class UsbTransport : public Transport {
  public:
    explicit UsbTransport(const Target& t) : _t(t) {}
    void Send(const std::string& bytes) override {
        UsbComm comm;  // constructed first: it clears the class-wide device selection
        UsbConnection settings;
        std::vector<Tuple<short, short>> printers = settings.AvailableDevices();
        const std::string label = "usb " + _t.uri;
        if (printers.empty()) throw SendError(label + ": no printer of a known brand is attached");
        short vendor = printers.front().Item1, product = printers.front().Item2;
        if (_t.vendorId != -1) {
            bool found = false;
            for (const auto& p : printers)
                found = found || (static_cast<unsigned short>(p.Item1) == _t.vendorId &&
                                  static_cast<unsigned short>(p.Item2) == _t.productId);
            if (!found) throw SendError(label + ": no such printer is attached");
            vendor = static_cast<short>(_t.vendorId);
            product = static_cast<short>(_t.productId);
        }
        settings.Connection({vendor}, product);
        OpenWriteClose(comm, label, bytes);
    }

  private:
    Target _t;
};

class SerialTransport : public Transport {
  public:
    explicit SerialTransport(const Target& t) : _t(t) {}
    void Send(const std::string& bytes) override {
        ComComm comm;  // constructed first: it resets the class-wide port
        ComConnection settings;
        settings.Connection(_t.device, _t.baud);
        OpenWriteClose(comm, "serial " + _t.uri, bytes);
    }

  private:
    Target _t;
};

class BluetoothTransport : public Transport {
  public:
    explicit BluetoothTransport(const Target& t) : _t(t) {}
    void Send(const std::string& bytes) override {
        BtComm comm;
        BtConnection settings;
        settings.Connection(_t.mac);
        OpenWriteClose(comm, "bluetooth " + _t.uri, bytes);
    }

  private:
    Target _t;
};

}  // namespace

std::unique_ptr<Transport> OpenPrinterTransport(const Target& target) {
    switch (target.kind) {
        case Target::Kind::Tcp:
            return std::make_unique<TcpTransport>(target);
        case Target::Kind::Usb:
            return std::make_unique<UsbTransport>(target);
        case Target::Kind::Serial:
            return std::make_unique<SerialTransport>(target);
        case Target::Kind::Bluetooth:
            return std::make_unique<BluetoothTransport>(target);
        case Target::Kind::Stdout:
            break;
    }
    return nullptr;
}

}  // namespace quillon::cli
