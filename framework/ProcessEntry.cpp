// The process entry: the program's entry function runs with Qt started.
#include "framework/Toolkit.h"

int ProgramMain(int argc, char* argv[]);

int main(int argc, char** argv) {
  StartToolkit(argc, argv);
  const int result = ProgramMain(argc, argv);
  StopToolkit();
  return result;
}
