// The command line: the arguments after the program's own name.
#ifndef TORVI_COMMAND_LINE_H_
#define TORVI_COMMAND_LINE_H_

#include <string>
#include <vector>

// The arguments as the platform hands them over (one variant per platform).
std::vector<std::string> Arguments(int argc, char** argv);

// Splits a Windows command line (the program's name first) into its words: bytes 1 to 32
// separate words; a double quote opens a run that keeps blanks and ends at the next double quote
// or at the end of the line; quotes are dropped while the word goes on; empty pairs of quotes in
// front of a word are skipped, and a word that comes out empty is no word.
std::vector<std::string> SplitCommandLine(const std::string& line);

#endif  // TORVI_COMMAND_LINE_H_
