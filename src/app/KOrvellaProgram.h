#pragma once

#include <functional>

class TOrvellaForm;

// The planner as a program: the application object, one instance at a time, the platform
// services, the main window and the event loop. main() is a call of Run.
class KOrvellaProgram {
public:
    // Called once the window is made, before the event loop starts (the start-up benchmark
    // watches the first paint through it).
    using WindowMade = std::function<void(TOrvellaForm &form)>;

    static int Run(int argc, char *argv[], const WindowMade &windowMade = {});
};
