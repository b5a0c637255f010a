#pragma once

// Cost of one mouse move while a frame is dragged on a 50-frame pie and timeline, from the
// event to the repainted widget. Needs a QApplication.
void RunDragBenchmarks();
