// varek-cli: the command-line companion. Counts positions (perft, divide),
// shows saved games, and runs the computer player without the window.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/Commands.h"

namespace {

const char Usage[] =
    "usage: varek-cli COMMAND ...\n"
    "  perft DEPTH [POSITION]    positions reached after DEPTH plies, with time and speed\n"
    "  divide DEPTH [POSITION]   the same count for each move from the position\n"
    "  show [--game N] FILE      the start, the moves and the final position of a saved game (.vrk or .pdn)\n"
    "  pdn FILE                  the games of a PDN collection, one line each, and those that cannot be read\n"
    "  convert [--game N] IN OUT a saved game to PDN or back, by the names' endings .vrk and .pdn\n"
    "  search [ARGS]             let the computer choose a move\n"
    "  engine                    the computer player behind the engine protocol on standard input and output\n"
    "  match [ARGS] ENGINE1 ENGINE2  two engines play each other from the three-move openings\n"
    "  analyse [--time S] IN OUT.pdn  every move of every game searched, marked and scored into OUT\n"
    "  bench [--egdb [DIR]]      speed of the computer player, without or with the database\n"
    "  egdb build [DIR]          solve every ending of up to 4 pieces into DIR\n"
    "  egdb probe POSITION       the database's value: win in N, loss in N or draw\n"
    "  tune fit [OPTIONS] PDN... fit the evaluation's weights to the results of the games\n"
    "  book build|cover PDN...   build the opening book from the games, or measure how much of them it holds\n"
    "POSITION is e.g. B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12\n"
    "(side to move, then White's and Black's squares, kings prefixed with K).\n";

struct TCommand {
  const char* Name;
  int (*Run)(const TArgs&);
};

const TCommand Commands[] = {
    {"perft", CmdPerft}, {"divide", CmdDivide}, {"show", CmdShow}, {"search", CmdSearch}, {"bench", CmdBench},
    {"pdn", CmdPdn},     {"convert", CmdConvert}, {"egdb", CmdEgdb},      {"engine", CmdEngine},
    {"match", CmdMatch},
    {"tune", CmdTune},   {"book", CmdBook},       {"analyse", CmdAnalyse},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0 ||
                    std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (argc < 2) {
    std::fputs(Usage, stderr);
    return 2;
  }
  const TArgs args(argv + 2, argv + argc);
  for (const TCommand& command : Commands)
    if (std::strcmp(argv[1], command.Name) == 0) return command.Run(args);
  std::fprintf(stderr, "varek-cli: unknown command '%s'\n", argv[1]);
  std::fputs(Usage, stderr);
  return 2;
}
