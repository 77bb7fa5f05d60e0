#pragma once

// How a computation ended. The library reports; the front decides what the user sees
// (kamorte-calc: its line and exit status 3; the program: a message box, the screen kept).
enum class ComputeStatus {
    Ok,
    FlowGuard,   // the record holds two flows, or a flow and the exit velocity
    OutOfMemory, // the grid or a map buffer could not be had
};
