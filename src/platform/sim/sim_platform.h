#pragma once

#include <utility>

#include "platform/event_dispatcher.h"
#include "platform/ports.h"
#include "platform/sim/call_log.h"
#include "platform/sim/recording_file_system.h"
#include "platform/sim/sim_cleanup.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_identity.h"
#include "platform/sim/sim_pictures.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_single_instance.h"
#include "platform/sim/sim_window_host.h"
#include "platform/sim/virtual_clock.h"

namespace quorvel::platform::sim {

// The whole simulated system in one object: every port records into `log`, the file system
// keeps its files in memory (reach them through `files`, which logs and injects failures, or
// directly through `disk`), and `clock` delivers the timers.
class SimPlatform {
public:
    // The program is started in a folder that exists. Timer ticks and user input run through
    // `events` as the real host dispatches them, each followed by the after-event step.
    SimPlatform() {
        disk.addDirectory(identity.current);
        clock.setDispatcher(&events);
        events.bringUpToDate = [this] { windows.sync(); };
    }
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    CallLog log;
    SimIdentity identity{log};
    SimFileSystem disk;
    RecordingFileSystem files{disk, log};
    SimSingleInstance instance{log};
    SimScreen screen{log};
    SimDialogs dialogs{log};
    SimFolders folders{log};
    SimPictures pictures{log};
    SimProcess process{log};
    SimWindowHost windows{log};
    VirtualClock clock;
    SimShell shell{log};
    SimCleanup cleanup{log};
    EventDispatcher events;

    // One event as the host runs it: the handlers, then the after-event step.
    template <class Handler>
    decltype(auto) dispatch(Handler&& handler) {
        return events.dispatch(std::forward<Handler>(handler));
    }

    [[nodiscard]] Ports ports() {
        return Ports{identity, files,   instance, screen, dialogs, folders,
                     pictures, process, windows,  clock,  shell,   cleanup};
    }
};

}  // namespace quorvel::platform::sim
