#pragma once
// Named points of a run that an observer may watch: "backup" (halfway through the backup),
// "preparation", "<TEMPLATE>-rows" (halfway through a template's or source table's rows),
// "closing", "restore" (halfway through a restore) and "replace-<FILE>" (a new template's file,
// such as ITEM.DBF, written and flushed, about to take the old one's place). Nothing watches them in the programs; the
// test suite's build of the command line stops there to prove that a crash or a concurrent run
// at that point loses nothing.

#include <string>
#include <string_view>

namespace tarvo::retaildb {

class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void reached(std::string_view point) = 0;
};

// Tells the observer, if one is set, that the run reached the point.
void runPoint(std::string_view point);

// The point "replace-<file>".
void replacePoint(const std::string& file);

// Sets the observer; nullptr removes it. The caller keeps it alive.
void setRunObserver(RunObserver* observer);

}  // namespace tarvo::retaildb
