#pragma once

#include "platform/Errors.h"

// Runs one user command. An error ends the command where it occurred and is not shown: the
// program's errors stop here, at the event boundary, and never unwind through Qt.
template <class Command> void RunCommand(Command&& command)
{
    try {
        command();
    } catch (const TickerineError&) {
    }
}
