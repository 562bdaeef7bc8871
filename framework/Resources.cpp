#include "framework/Resources.h"

TModule& GetModule() {
  static TModule module;
  return module;
}
