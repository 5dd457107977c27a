#pragma once
// The start routine: file types, the application object with its menu bar
// and menu handlers, the main window, then the event loop. An exception from
// any step or from the loop skips the rest and is reported.
void Main();

// The steps, in order (tests run them one by one).
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
// Destroys the application object at the end of the run.
void DeleteAppInstance();
