#pragma once
// Work areas: the open tables of the process, each named by an alias, one of them current.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/table.h"

namespace tarvo::xbase {

class WorkAreas {
public:
    WorkAreas() = default;
    ~WorkAreas();
    WorkAreas(const WorkAreas&) = delete;
    WorkAreas& operator=(const WorkAreas&) = delete;

    // Opens a table in a new work area under the alias (upper-cased) and makes it current.
    // Returns false on failure; lastError() then names the file and the problem.
    bool use(const std::filesystem::path& path, std::string_view alias, const OpenOptions& options);
    const std::string& lastError() const { return lastError_; }
    // Whether the last failed open failed because another open holds the file.
    bool lastErrorInUse() const { return lastErrorInUse_; }

    Table* current() const;
    int currentArea() const { return current_; }    // 0 when no area is current
    std::string alias() const;                        // alias of the current area, empty when none
    std::string alias(int area) const;

    // Makes the area with the alias current; returns its number, or 0 (and no current area) when
    // no area has that alias.
    int select(std::string_view alias);
    // Makes the numbered area current (0 or an unused number: no current area).
    void selectArea(int area);
    Table* find(std::string_view alias) const;
    int areaOf(std::string_view alias) const;         // 0 when not open

    // Commits and closes; false when not open. A failed commit throws Error and leaves it open.
    bool close(std::string_view alias);
    void closeCurrent();
    void closeAll();                                  // commits what it can, never throws
    void commit(std::string_view alias);
    void commitAll();
    std::vector<std::string> aliases() const;         // of the open areas, in area order

private:
    struct Area {
        std::string alias;
        std::unique_ptr<Table> table;
    };
    std::vector<Area> areas_;   // index + 1 is the area number
    int current_ = 0;
    std::string lastError_;
    bool lastErrorInUse_ = false;
};

// The work areas of the process, which the record routines act on.
WorkAreas& workAreas();

}  // namespace tarvo::xbase
