#pragma once
// Named points of an import where tests stop the process from outside, to prove that a crash
// or a concurrent run at that point loses nothing. Inactive unless TARVO_TEST_POINT is set:
//   "<point> kill"        the process kills itself with SIGKILL on reaching the point;
//   "<point> pause FILE"  it creates FILE.reached and waits until FILE.go exists.
// Points: "backup", "preparation", "<TEMPLATE>-rows" (halfway through a template's rows),
// "closing", "restore".

#include <string_view>

namespace tarvo::retaildb {

void testPoint(std::string_view point);

// Applies TARVO_TEST_WRITE_LIMIT (bytes the data and memo files may still take before writes
// fail as on a full disk), for tests of a process started from outside.
void applyTestWriteLimit();

}  // namespace tarvo::retaildb
