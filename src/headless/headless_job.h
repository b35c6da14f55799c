#pragma once
// What a run without a window does once connected.

enum class HeadlessJob {
    Measure,       // poll and log until stopped
    DumpLogger,    // write the instrument's logger records to logged.txt, then end
    ReadSettings,  // print the instrument's settings, then end
};
