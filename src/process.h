// The process: start-up, and what a failure report says of the running program.
#ifndef TORVI_PROCESS_H_
#define TORVI_PROCESS_H_

#include <string>

// Readies the process: the locale and its lead bytes, standard descriptors, signals that would
// otherwise end the process without a report.
void StartUp();

// The full path of the running executable as the system reports it.
std::string ModuleFileName();

// The address the executable's image starts at; a code address less this is stable across runs.
const void* ImageBase();

#endif  // TORVI_PROCESS_H_
