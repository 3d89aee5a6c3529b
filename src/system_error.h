// System error numbers: the program reports I/O failures with Windows' numbers, so that one message
// table serves every platform.
#ifndef TORVI_SYSTEM_ERROR_H_
#define TORVI_SYSTEM_ERROR_H_

// The Windows error number for a POSIX errno value; never a raw errno value.
int WindowsError(int posix_errno);

#endif  // TORVI_SYSTEM_ERROR_H_
