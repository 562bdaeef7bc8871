// Starting and stopping Qt for the process; the thread that starts it is the UI thread.
#pragma once

// `argc` and `argv` must stay valid until StopToolkit.
void StartToolkit(int& argc, char** argv);
void StopToolkit();
