// Loading a bitmap file (BMP) into a one-bit picture.
#ifndef TORVI_PICTURE_LOAD_H_
#define TORVI_PICTURE_LOAD_H_

#include <string>

#include "picture/picture.h"
#include "picture/reader.h"

// Loads and reduces the bitmap file `file_name`. The file is open only during the call; others may
// read it meanwhile but not write it. Raises EFOpenError, EReadError, EInvalidGraphic,
// EWin32Error or EOutOfResources.
Picture LoadPicture(const std::string& file_name);

// The same from `size` bytes of any source.
Picture DecodeBitmap(Source& source, uint64_t size);

#endif  // TORVI_PICTURE_LOAD_H_
