// Class-wide fields and the library's connection objects. They live in one
// file because the objects' constructors write the class-wide strings: within
// one translation unit the strings are constructed first.

#include <libusb.h>

#include "comm/CommGlobals.h"

template <typename T1, typename T2>
Tuple<T1, T2>::Tuple(T1 item1, T2 item2) : Item1(item1), Item2(item2) {}
template struct Tuple<short, short>;

libusb_context* UsbComm::ctx = nullptr;
libusb_device** UsbComm::device_list = nullptr;
libusb_device_descriptor UsbComm::desc = {};
short UsbComm::_v_id = 0;
short UsbComm::_p_id = 0;
uint8_t UsbComm::EndpointAddrIn = 0x81;

std::string TcpComm::_ipAddress;
int TcpComm::_port = 0;
int TcpComm::_socket = -1;

uint64_t BtComm::_bt_address = 0;
int BtComm::_windows_socket = -1;

std::string ComComm::m_comPort;
int ComComm::m_baudRate = 9600;

Tuple_c* devices = nullptr;

UsbComm gUsbComm;
UsbConnection gUsbConnection;
TcpComm gTcpComm;
TcpConnection gTcpConnection;
BtComm gBtComm;
BtConnection gBtConnection;
ComComm gComComm;
ComConnection gComConnection;
