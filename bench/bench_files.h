#pragma once

#include "model/KDaySchedule.h"
#include "platform/core/KAppDataFolder.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"

#include <QWidget>
#include <functional>
#include <memory>

// The time to the first paint of the widget that make() builds and shows, in ms.
using KFirstPaintTimer = std::function<double(const std::function<std::unique_ptr<QWidget>()> &make)>;

// Start-up with a settings file and a 50-frame most recent file, against the bare widget's
// first paint (bareMs) and the window's own without either (plainFormMs); opening and saving
// a 50-frame file. Needs a QApplication.
void RunFileBenchmarks(const KFirstPaintTimer &firstPaintMs, double bareMs, double plainFormMs);

// The schedule the file benchmarks use: 50 frames with items, colours and some memos.
KDaySchedule BenchFiftyFrames();

// Writes plan (the 50 frames above) and a settings file that names it as the most recent file;
// returns the settings file's bytes and where it lies.
std::vector<uint8_t> WriteBenchProfile(KFileSystem &files, KPrompter &prompter, KAppDataFolder &appData,
                                       const std::u16string &plan, std::u16string &settingsPath);
