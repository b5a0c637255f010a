#pragma once

// Start-up from process start to first paint, and peak resident memory then: the planner, with a
// settings file and a 50-frame most recent file, against a Qt program with the same kind of
// window (the floor); each a separate process.
void RunStartupBenchmarks();
