// The program's entry function: `varek [FILE]` opens a saved game or a PDN file.
#include "ui/VarekApp.h"

int ProgramMain(int argc, char* argv[]) {
  TVarekApp app;
  if (argc > 1) app.StartFile = argv[1];
  return app.Run();
}
