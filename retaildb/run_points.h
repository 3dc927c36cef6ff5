#pragma once
// Named points of a run that an observer may watch: "backup" (halfway through the backup),
// "preparation", "<TEMPLATE>-rows" (halfway through a template's or source table's rows),
// "closing" and "restore" (halfway through a restore). Nothing watches them in the programs; the
// test suite's build of the command line stops there to prove that a crash or a concurrent run
// at that point loses nothing.

#include <string_view>

namespace tarvo::retaildb {

class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void reached(std::string_view point) = 0;
};

// Tells the observer, if one is set, that the run reached the point.
void runPoint(std::string_view point);

// Sets the observer; nullptr removes it. The caller keeps it alive.
void setRunObserver(RunObserver* observer);

}  // namespace tarvo::retaildb
