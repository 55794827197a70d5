// Parsing of `--to` URIs.

#include "Target.h"

#include <arpa/inet.h>

#include <cctype>
#include <charconv>

namespace quillon::cli {
namespace {

[[noreturn]] void Bad(const std::string& uri, const std::string& what) {
    throw UsageError("--to " + uri + ": " + what);
}

bool ParseNumber(const std::string& text, int base, long long lo, long long hi, long long& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    return ec == std::errc() && ptr == end && value >= lo && value <= hi;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// "key=value&key=value" after a '?'; every key must be `allowed`.
template <typename F>
void ForEachQuery(const std::string& uri, const std::string& query, const char* allowed, F&& take) {
    std::size_t pos = 0;
    while (pos < query.size()) {
        std::size_t amp = query.find('&', pos);
        std::string pair = query.substr(pos, amp == std::string::npos ? std::string::npos : amp - pos);
        std::size_t eq = pair.find('=');
        std::string key = pair.substr(0, eq);
        if (eq == std::string::npos || key != allowed) Bad(uri, "unknown parameter '" + key + "'");
        take(pair.substr(eq + 1));
        if (amp == std::string::npos) break;
        pos = amp + 1;
    }
}

// Letters, digits, '-' and '_' in dot-separated labels of 1 to 63 characters.
bool IsHostName(const std::string& host) {
    if (host.empty() || host.size() > 253) return false;
    std::size_t label = 0;
    for (char c : host) {
        if (c == '.') {
            if (label == 0) return false;
            label = 0;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') {
            if (++label > 63) return false;
        } else {
            return false;
        }
    }
    return label > 0 || host.size() > 1;
}

void ParseTcp(const std::string& uri, DeliveryTarget& t) {
    std::string rest = uri.substr(6);
    std::string portText;
    if (StartsWith(rest, "[")) {
        std::size_t close = rest.find(']');
        if (close == std::string::npos) Bad(uri, "missing ']' after the IPv6 address");
        t.host = rest.substr(1, close - 1);
        std::string after = rest.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':') Bad(uri, "expected ':PORT' after ']'");
            portText = after.substr(1);
        }
        std::string address = t.host.substr(0, t.host.find('%'));
        in6_addr probe{};
        if (inet_pton(AF_INET6, address.c_str(), &probe) != 1)
            Bad(uri, "'" + address + "' is not an IPv6 address");
        if (t.host.find('%') != std::string::npos && t.host.size() == address.size() + 1)
            Bad(uri, "missing interface name after '%'");
    } else {
        std::size_t colon = rest.find(':');
        t.host = rest.substr(0, colon);
        if (colon != std::string::npos) portText = rest.substr(colon + 1);
        const bool dotted = !t.host.empty() && t.host.find_first_not_of("0123456789.") == std::string::npos;
        in_addr probe{};
        if (dotted && inet_pton(AF_INET, t.host.c_str(), &probe) != 1)
            Bad(uri, "'" + t.host + "' is not an IPv4 address (write IPv6 addresses in brackets)");
        if (!IsHostName(t.host)) Bad(uri, "'" + t.host + "' is not a host name or IPv4 address");
    }
    if (!portText.empty() || (uri.back() == ':')) {
        long long port = 0;
        if (!ParseNumber(portText, 10, 1, 65535, port)) Bad(uri, "expected a port from 1 to 65535");
        t.port = static_cast<int>(port);
    }
}

void ParseUsb(const std::string& uri, DeliveryTarget& t) {
    if (uri == "usb") return;
    std::string rest = uri.substr(4);
    std::size_t colon = rest.find(':');
    long long vid = 0, pid = 0;
    if (colon == std::string::npos || !ParseNumber(rest.substr(0, colon), 16, 0, 0xFFFF, vid) ||
        !ParseNumber(rest.substr(colon + 1), 16, 0, 0xFFFF, pid))
        Bad(uri, "expected usb or usb:VID:PID with four-digit hexadecimal ids");
    t.vendorId = static_cast<int>(vid);
    t.productId = static_cast<int>(pid);
}

void ParseSerial(const std::string& uri, DeliveryTarget& t) {
    std::string rest = uri.substr(7);
    std::size_t q = rest.find('?');
    t.device = rest.substr(0, q);
    if (t.device.empty() || t.device[0] != '/') Bad(uri, "expected serial:/dev/NAME");
    if (q == std::string::npos) return;
    ForEachQuery(uri, rest.substr(q + 1), "baud", [&](const std::string& value) {
        long long baud = 0;
        // "9600x" is no speed, although it starts with one.
        const bool number = ParseNumber(value, 10, 0, 1 << 30, baud);
        // The speeds the serial connection can set.
        for (long long speed : {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600})
            if (number && baud == speed) {
                t.baud = static_cast<int>(baud);
                return;
            }
        Bad(uri, "baud must be one of 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600");
    });
}

void ParseBluetooth(const std::string& uri, DeliveryTarget& t) {
    std::string rest = uri.substr(3);
    std::size_t q = rest.find('?');
    std::string mac = rest.substr(0, q);
    bool ok = mac.size() == 17;
    for (std::size_t i = 0; ok && i < mac.size(); ++i)
        ok = i % 3 == 2 ? mac[i] == ':' : std::isxdigit(static_cast<unsigned char>(mac[i])) != 0;
    if (!ok) Bad(uri, "expected bt:AA:BB:CC:DD:EE:FF");
    t.address = 0;
    for (std::size_t i = 0; i < mac.size(); i += 3)
        t.address = t.address << 8 | std::stoul(mac.substr(i, 2), nullptr, 16);
    if (q == std::string::npos) return;
    ForEachQuery(uri, rest.substr(q + 1), "channel", [&](const std::string& v) {
        // The Bluetooth connection always opens RFCOMM channel 1.
        if (v != "1") Bad(uri, "only channel 1 is supported");
    });
}

}  // namespace

Target ParseTarget(const std::string& uri) {
    Target t;
    t.uri = uri;
    DeliveryTarget& p = t.printer;
    if (uri == "-") {
        t.toStdout = true;
    } else if (StartsWith(uri, "tcp://")) {
        p.kind = DeliveryTarget::Kind::Tcp;
        ParseTcp(uri, p);
    } else if (uri == "usb" || StartsWith(uri, "usb:")) {
        p.kind = DeliveryTarget::Kind::Usb;
        ParseUsb(uri, p);
    } else if (StartsWith(uri, "serial:")) {
        p.kind = DeliveryTarget::Kind::Serial;
        ParseSerial(uri, p);
    } else if (StartsWith(uri, "bt:")) {
        p.kind = DeliveryTarget::Kind::Bluetooth;
        ParseBluetooth(uri, p);
    } else {
        Bad(uri,
            "expected -, tcp://HOST:PORT, usb, usb:VID:PID, serial:/dev/NAME?baud=N or bt:AA:BB:CC:DD:EE:FF");
    }
    return t;
}

}  // namespace quillon::cli
