#pragma once

struct KPlatform;

// Costs of scheduling mode with 50 frames: one cell edit and leaving the mode. Needs a QApplication.
void RunSchedulingBenchmarks(const KPlatform &platform);
