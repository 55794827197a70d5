#ifndef QUILLON_COMM_COMMGLOBALS_H
#define QUILLON_COMM_COMMGLOBALS_H

// The library's one object per connection class, constructed at load in this
// order and destroyed at unload in reverse: the USB receive thread is joined
// and the device released before the process-wide libusb state goes away.

#include "quillon/Comm.h"

extern UsbComm gUsbComm;
extern UsbConnection gUsbConnection;
extern TcpComm gTcpComm;
extern TcpConnection gTcpConnection;
extern BtComm gBtComm;
extern BtConnection gBtConnection;
extern ComComm gComComm;
extern ComConnection gComConnection;

#endif
