#include "program/program.h"

#include <string>

#include "bar/dock.h"
#include "window_api/messages.h"

namespace quorvel::program {

Program::Program(platform::Ports ports) : windows_(ports) {}

void Program::start() {
    platform::Ports& ports = windows_.ports();
    if (!ports.instance.claim()) {
        // Nothing of this instance is created: the running bar is left alone.
        ports.dialogs.messageBox(std::string(messages::kAlreadyRunning),
                                 platform::MessageButtons::Ok);
        ports.process.exitNow();
    }
    windows_.loadDock().Load();
}

void Program::unload() {
    if (bar::Dock* dock = windows_.dockIfLoaded()) {
        dock->Unload();
    }
}

void Program::sessionEnding() {
    if (bar::Dock* dock = windows_.dockIfLoaded()) {
        dock->Unload();
    }
}

void Program::sessionContinues() {
    if (bar::Dock* dock = windows_.dockIfLoaded()) {
        dock->cmdBarVis();
    }
}

void Program::shellRestarted() {
    if (bar::Dock* dock = windows_.dockIfLoaded()) {
        dock->ShellRestarted();
    }
}

void Program::screenChanged() {
    if (bar::Dock* dock = windows_.dockIfLoaded()) {
        dock->ScreenChanged();
    }
}

}  // namespace quorvel::program
