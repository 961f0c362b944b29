#pragma once

#include <functional>

namespace pv {

class Programm;

// The program's whole run: the application object with German standard
// dialogs, the program folder, the start-up, the views, the end the system
// asks for (SIGTERM, SIGHUP, SIGINT, the end of the desktop session) and the
// event loop. `gestartet` runs once the main window shows, before the event
// loop; tests act there as a user would. Returns the process's exit code.
int programmLaufen(int& argc, char** argv, const std::function<void(Programm&)>& gestartet = {});

}  // namespace pv
