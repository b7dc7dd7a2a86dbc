#pragma once

#include "forms/form.h"
#include "platform/cleanup.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/folders.h"
#include "platform/identity.h"
#include "platform/pictures.h"
#include "platform/process.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/single_instance.h"

namespace quorvel::platform {

// Everything the program asks of the system, handed to the program at start. The real
// backend (platform/win32) and the simulation (platform/sim) each provide one of these.
struct Ports {
    Identity& identity;
    FileSystem& files;
    SingleInstance& instance;
    Screen& screen;
    Dialogs& dialogs;
    Folders& folders;
    Pictures& pictures;
    Process& process;
    forms::WindowHost& windows;
    forms::TimerService& timers;
    Shell& shell;
    Cleanup& cleanup;
};

}  // namespace quorvel::platform
