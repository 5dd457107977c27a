#pragma once
// The run of the program: the Qt application, the event loop, what happens to
// an exception that nobody caught, and the exit status.
#include <exception>

namespace fw {

class Application;

// Makes the Qt application from the process arguments.
void RuntimeInit(int& argc, char** argv);
// The application object from now on; its Open is raised when the loop starts.
void RuntimeRegisterAppObject(Application* app);
// Runs the event loop until Quit. An exception that escapes an event handler
// ends the loop and is thrown again from here.
void RuntimeRun();
// Tells the user of an exception nobody caught; the exit status becomes 1.
void RuntimeUnhandledException(std::exception_ptr error);
// Closes what is still open and gives the exit status.
int RuntimeExit();
// The exit status so far: Quit's, or 1 after an unhandled exception.
int RuntimeExitStatus();

}  // namespace fw
