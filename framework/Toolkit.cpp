#include "framework/Toolkit.h"

#include <QApplication>
#include <memory>

#include "framework/UiThread.h"

namespace {
std::unique_ptr<QApplication> application;
}

void StartToolkit(int& argc, char** argv) {
  if (application) return;
  application = std::make_unique<QApplication>(argc, argv);
}

void StopToolkit() { application.reset(); }
