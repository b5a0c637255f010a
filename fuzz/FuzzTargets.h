#pragma once

#include <cstddef>
#include <cstdint>

// One entry per file reader. Each reads data as a file through the reader the planner uses
// and, when the file is accepted, checks that writing it back and reading that again gives
// the same contents. A broken check aborts.
int FuzzScheduleReader(const uint8_t *data, size_t size);
int FuzzWeekReader(const uint8_t *data, size_t size);
int FuzzSettingsReader(const uint8_t *data, size_t size);
// The iCalendar import of one day: whatever the text, the result is refused or a whole day
// whose frames follow one another, and exporting that day and importing it again gives the
// same frames.
int FuzzICalImporter(const uint8_t *data, size_t size);
