#pragma once
#include <string>

// What `screensaver effect` is asked for: one transition traced frame by frame through the real engine.
struct EffectCommandOptions {
    int index = 0;
    std::string outDir;
    std::string window = "640x480";
    std::string slidePath;  // empty: a generated test picture of half the window
    std::string background; // a picture file or #RRGGBB; empty: a generated one
    std::string at;         // "X,Y"; empty: centred
    int step = 10;
    int stopAfter = -1;
};

// Runs the trace: DIR/frame-NNNNN.png per frame, DIR/final.png, DIR/frames.tsv. On success returns 0 and
// sets summary to the one line to print. Bad input returns 2 with a one-line error and writes nothing; a
// file that cannot be written returns 1.
int RunEffectCommand(const EffectCommandOptions& options, std::string& summary, std::string& error);
