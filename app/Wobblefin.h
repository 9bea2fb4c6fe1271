// Wobblefin: the main block and loop, the application state and its assets, the frame, the interaction.
#pragma once

namespace wobblefin {

int RUN();  // the main block: start-up, the frame loop, teardown; returns the exit code

}  // namespace wobblefin
