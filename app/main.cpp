#include "app/start_up.h"
#include "framework/copy_on_the_bus.h"
#include "framework/runtime.h"
#include "framework/termination_signals.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  // Started again while a copy runs: that copy comes to the front instead,
  // and this run ends before it makes a window. From the window on, the end
  // of the session quits as File > Quit does.
  if (!fw::CopyOnTheBus::BringRunningCopyForward()) {
    fw::QuitOnTerminationSignals();
    Main();
  }
  DeleteAppInstance();
  return fw::RuntimeExit();
}
