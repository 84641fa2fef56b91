// Interactive: the entry of the window mode, kept apart so the batch path never touches Qt.
#pragma once

// Runs the window until it closes; the result is the process's exit status.
int RunInteractive(int argc, char** argv);
