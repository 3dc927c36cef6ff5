#include "xbase/work_areas.h"

#include "xbase/error.h"
#include "xbase/text_case.h"

namespace tarvo::xbase {


WorkAreas::~WorkAreas() { closeAll(); }

bool WorkAreas::use(const std::filesystem::path& path, std::string_view alias, const OpenOptions& options) {
    lastError_.clear();
    lastErrorInUse_ = false;
    std::string name = asciiUpperCase(alias);
    if (name.empty()) {
        lastError_ = path.string() + ": empty alias";
        return false;
    }
    if (areaOf(name) != 0) {
        lastError_ = path.string() + ": alias " + name + " is already in use";
        return false;
    }
    std::unique_ptr<Table> table;
    try {
        table = Table::open(path, options);
    } catch (const FileInUseError& e) {
        lastError_ = e.what();
        lastErrorInUse_ = true;
        return false;
    } catch (const Error& e) {
        lastError_ = e.what();
        return false;
    }
    size_t slot = 0;
    while (slot < areas_.size() && areas_[slot].table) ++slot;
    if (slot == areas_.size()) areas_.emplace_back();
    areas_[slot] = Area{name, std::move(table)};
    current_ = static_cast<int>(slot) + 1;
    return true;
}

Table* WorkAreas::current() const {
    if (current_ < 1 || current_ > static_cast<int>(areas_.size())) return nullptr;
    return areas_[current_ - 1].table.get();
}

std::string WorkAreas::alias() const { return alias(current_); }

std::string WorkAreas::alias(int area) const {
    if (area < 1 || area > static_cast<int>(areas_.size()) || !areas_[area - 1].table) return {};
    return areas_[area - 1].alias;
}

int WorkAreas::areaOf(std::string_view alias) const {
    std::string name = asciiUpperCase(alias);
    for (size_t i = 0; i < areas_.size(); ++i)
        if (areas_[i].table && areas_[i].alias == name) return static_cast<int>(i) + 1;
    return 0;
}

int WorkAreas::select(std::string_view alias) {
    current_ = areaOf(alias);
    return current_;
}

void WorkAreas::selectArea(int area) { current_ = alias(area).empty() ? 0 : area; }

Table* WorkAreas::find(std::string_view alias) const {
    int area = areaOf(alias);
    return area == 0 ? nullptr : areas_[area - 1].table.get();
}

bool WorkAreas::close(std::string_view alias) {
    int area = areaOf(alias);
    if (area == 0) return false;
    // A failed commit throws and leaves the table open, so that the caller sees the failure
    // and the closing step can still tell which table it was.
    areas_[area - 1].table->commit();
    areas_[area - 1].table.reset();
    areas_[area - 1].alias.clear();
    if (current_ == area) current_ = 0;
    return true;
}

void WorkAreas::closeCurrent() {
    if (current_ != 0) close(alias());
}

void WorkAreas::closeAll() {
    for (Area& area : areas_) {
        area.table.reset();
        area.alias.clear();
    }
    areas_.clear();
    current_ = 0;
}

void WorkAreas::commit(std::string_view alias) {
    if (Table* table = find(alias)) table->commit();
}

void WorkAreas::commitAll() {
    for (Area& area : areas_)
        if (area.table) area.table->commit();
}

std::vector<std::string> WorkAreas::aliases() const {
    std::vector<std::string> out;
    for (const Area& area : areas_)
        if (area.table) out.push_back(area.alias);
    return out;
}

WorkAreas& workAreas() {
    static WorkAreas areas;
    return areas;
}

}  // namespace tarvo::xbase
