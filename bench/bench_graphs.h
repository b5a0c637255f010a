#pragma once

// Draw and tick costs of the pie, the timeline and the count views. Needs a QApplication.
void RunGraphBenchmarks();
