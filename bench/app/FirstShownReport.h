#pragma once
// What both start-up probes do to tell the benchmark when their window is shown: after
// the platform's first expose of the window has been handled (its first paint included),
// the probe writes CLOCK_MONOTONIC in nanoseconds on one line to standard output and
// quits the message loop. The same code for both probes keeps the comparison fair.

#include <functional>

class QWidget;

// Needs the application object. windowToWatch returns the window whose first show counts,
// or nullptr while it does not exist yet.
void ReportFirstShown(std::function<QWidget*()> windowToWatch);
