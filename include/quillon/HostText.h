#ifndef QUILLON_HOSTTEXT_H
#define QUILLON_HOSTTEXT_H

#include <cstdint>
#include <string>

#include "quillon/Enums.h"
#include "quillon/Export.h"

// Host-rendered text: a string set in any font installed on the host is laid
// out and rasterised here and downloaded to the printer as a stored image.
// Brand and COMM_TYP are in Enums.h.

// Opens the printer over the chosen connection, renders `content` in the
// font "<szFaceName> <fontheight>" (bit 0 of fontstyle bold, bit 1 italic,
// fontunderline non-zero underlines; rotation 0, 90, 180 or 270 degrees) and
// downloads it under the name szFilePath: brand ORLO as a PNG file written
// to szFilePath on the host, brand HLV as run-length dot rows. `content` is a
// zero-terminated wide string when isUnicode, else multibyte text in the
// current locale's encoding. After a download the function waits 3000 ms for
// the printer and closes the connection.
//
// Returns 0 for an unknown connection kind, no USB printer or a connection
// that does not open; 1 once the connection was open, whether or not the
// download could be made. Multibyte text the locale cannot convert throws
// std::runtime_error "Conversion failed"; bad TCP addresses throw as the TCP
// connection does.
extern "C" QUILLON_API int WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline,
                                       char* szFaceName, void* content, bool isUnicode, Brand brand,
                                       char* szFilePath, COMM_TYP commTyp, char* ipAddress, int port,
                                       uint64_t macAddress, std::string ComPort, int BaudRate);

#endif
