#pragma once

// The program's entry: folders, the single-instance guard, the windows of the run in their
// order, the message loop. Returns the process's exit status.
int RunTickerine(int argc, char** argv);
