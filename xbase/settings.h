#pragma once
// The process-wide run-time settings that every layer reads.

#include <string>

namespace tarvo::xbase {

struct Settings {
    std::string dateFormat = "DD/MM/YYYY";
    bool century = true;
    int epoch = 1970;              // two-digit years yy >= epoch%100 are 19yy, else 20yy
    int decimals = 4;              // decimals of a computed number shown without picture
    bool digitFixed = true;
    int digits = 20;
    double floatDelta = 0.00000001;
    char decimalSep = ',';         // display only, never the bytes of a table
    char thousandSep = '.';
    bool deleted = true;           // navigation skips records marked as deleted
    bool softSeek = false;
    bool exclusive = false;        // default share mode of an open
    bool ansi = false;             // tables created are OEM tables
    std::string defaultDriver = "DBFCDX";
};

// The one settings object of the process.
Settings& settings();

// Puts every setting back to the values start-up fixes.
void applyStartupSettings();

}  // namespace tarvo::xbase
