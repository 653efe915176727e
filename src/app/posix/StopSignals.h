#pragma once

// SIGTERM (how XScreenSaver stops its programs), SIGINT and SIGHUP end a live show in order, through its own
// loop, so that it stops its transition and players and removes its temporary folder before it exits. A
// signal only is noted and written to the wake-up descriptor the loop waits on, if one is set. Call it
// before any thread is started.
void InstallStopSignals();
// The descriptor a signal writes to (an eventfd; -1 for none).
void SetStopSignalWakeFd(int fd);
bool StopSignalled();
