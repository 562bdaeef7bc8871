// The companion's commands. Each takes the words after its name and returns
// the process exit code; errors are one line on stderr.
#pragma once

#include <string>
#include <vector>

using TArgs = std::vector<std::string>;

int CmdPerft(const TArgs& args);
int CmdDivide(const TArgs& args);
int CmdShow(const TArgs& args);
int CmdSearch(const TArgs& args);
int CmdBench(const TArgs& args);
int CmdEgdb(const TArgs& args);

// Prints "varek-cli COMMAND: TEXT" on stderr and returns the usage exit code 2.
int CommandError(const char* command, const std::string& text);
// A whole number of at most 9 digits from `lowest` to `highest`.
bool ParseNumber(const std::string& word, long lowest, long highest, int* number);
