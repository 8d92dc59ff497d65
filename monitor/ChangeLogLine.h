#pragma once

#include "monitor/EndpointRows.h"

#include <string>

namespace tarnwick {

// A local time of day, to the second.
struct LogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Appends one line of the change log: the time as "YYYY-MM-DD hh:mm:ss", three blanks, "+" for
// an endpoint that appeared or "-" for one that went, three blanks, then the row's cells as Save
// writes them, each followed by three blanks, and CR LF. The address and port are numbers
// whether or not names are shown, so that a log reads the same either way; the process id and
// program follow with `owners`. UTF-8.
void AppendChangeLogLine(std::string& text, const LogTime& time, bool appeared,
                         const EndpointRow& row, bool owners);

} // namespace tarnwick
