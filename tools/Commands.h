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
int CmdPdn(const TArgs& args);
int CmdConvert(const TArgs& args);
int CmdEngine(const TArgs& args);
int CmdMatch(const TArgs& args);
int CmdTune(const TArgs& args);
int CmdBook(const TArgs& args);
int CmdAnalyse(const TArgs& args);

class Game;
struct TPdnGame;
// Loads a saved game (.vrk) or game `number` of a PDN file (0: its only game)
// into `record` and `game`. On failure prints the reason and sets the exit
// code: 1 for a damaged file or game, 2 for a file that cannot be opened.
bool LoadAnyGame(const char* command, const std::string& path, int number, Game& record, TPdnGame* game,
                 int* exitCode);
// Takes "--game N" out of `args`; false (having printed why) when N is bad.
bool TakeGameNumber(const char* command, TArgs& args, int* number, int* exitCode);

// Prints "varek-cli COMMAND: TEXT" on stderr and returns the usage exit code 2.
int CommandError(const char* command, const std::string& text);
// A whole number of at most 9 digits from `lowest` to `highest`.
bool ParseNumber(const std::string& word, long lowest, long highest, int* number);
// A number of seconds, whole or with a fraction ("0.1"), from 0 to `highest`.
bool ParseSeconds(const std::string& word, double highest, double* seconds);
// A bar of `done` out of `total` on stderr, over the bar drawn before, with
// `after` behind it.
void DrawProgressBar(long long done, long long total, const std::string& after = "");
