#pragma once
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/DiagnosticLog.h"
#include "support/TempDir.h"

inline constexpr char kLogBegin[] = "----------------------------Begin-----------------------------\n";
inline constexpr char kLogEnd[] = "----------------------------End-------------------------------\n";

// A log's text as lines end on every system (Windows writes it in text mode).
inline std::string ReadLog(const std::string& path)
{
    std::string text = TempDir::Read(path), lines;
    for (char c : text) {
        if (c != '\r')
            lines += c;
    }
    return lines;
}

// Runs body with a log beside a program in a fresh folder holding an empty kado.log, its clock standing at
// tick; returns the log's text.
template <typename Body> std::string LogOf(Body body, uint32_t tick = 60000)
{
    TempDir dir;
    dir.Write("kado.log", "");
    VirtualClock clock(tick);
    {
        DiagnosticLog log(dir.File("show.scr"));
        log.SetClock(&clock);
        body(log);
    }
    return ReadLog(dir.File("kado.log"));
}
