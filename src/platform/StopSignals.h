#pragma once
// Interrupting a command-line run: Ctrl+C and a termination request call a handler instead of
// ending the process, so the run can release what the script held first.
namespace telmo {

// Installs handler for SIGINT and SIGTERM (and Ctrl+Break on Windows). Where the system allows it,
// a system call that the signal interrupts is restarted: a write to a full pipe does not fail.
void OnStopSignals(void (*handler)(int));

} // namespace telmo
