#include "retaildb/run_points.h"

namespace tarvo::retaildb {

namespace {
RunObserver* observer = nullptr;
}  // namespace

void runPoint(std::string_view point) {
    if (observer) observer->reached(point);
}

void replacePoint(const std::string& file) { runPoint("replace-" + file); }

void setRunObserver(RunObserver* newObserver) { observer = newObserver; }

}  // namespace tarvo::retaildb
