// The program's entry function. The command line is not used.
#include "ui/VarekApp.h"

int ProgramMain(int, char*[]) {
  TVarekApp app;
  return app.Run();
}
