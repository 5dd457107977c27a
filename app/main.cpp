#include "app/start_up.h"
#include "framework/running_copy.h"
#include "framework/runtime.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  // Started again while a copy runs: that copy comes to the front instead,
  // and this run ends before it makes a window.
  if (!fw::ActivateRunningCopy()) Main();
  DeleteAppInstance();
  return fw::RuntimeExit();
}
