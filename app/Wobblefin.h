// Wobblefin: the main block and loop, the application state and its assets, the frame, the interaction.
#pragma once

namespace wobblefin {

int RUN();  // the main block: start-up, the frame loop while ACTIVE, teardown; returns the exit code

// The main block in its three stages, so that tests and benchmarks can drive the loop turn by turn.
void enter_data_folder();  // into the folder that holds the data set, when the working directory does not
void startup();            // window options, window, centring, render set-up, assets and menus
void loop_turn();          // clear, one message, one frame, swap
void teardown();           // releases the context, the device context and the window

}  // namespace wobblefin
