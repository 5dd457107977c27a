#include "app/start_up.h"
#include "framework/runtime.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  Main();
  DeleteAppInstance();
  return fw::RuntimeExit();
}
