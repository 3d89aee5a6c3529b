// The document: an Encapsulated PostScript page that draws the one-bit picture at one point per
// pixel, 10 points in from the lower-left corner, from a hexadecimal string named BMPF.
#ifndef TORVI_EPS_H_
#define TORVI_EPS_H_

#include "file.h"
#include "picture/picture.h"

// Writes the whole document to `out` (created and empty) and closes it. The I/O result code is
// tested after every line and after the close; a failure raises EInOutError.
void WriteDocument(const Picture& picture, TextFile& out);

#endif  // TORVI_EPS_H_
