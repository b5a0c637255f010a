#pragma once

// Start-up from process start to first paint: the planner, with a settings file and a 50-frame
// most recent file, against a bare Qt Widgets program; both as separate processes.
void RunStartupBenchmarks();
