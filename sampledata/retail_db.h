#pragma once
// A sample retail database for tests, benchmarks and the demo: every retail table in ST_DB with a
// few records in the tables an import replaces, the identifier rows, the control record and
// index files.

#include <filesystem>

namespace tarvo::sampledata {

// Writes dir/ST_DB/ (created when missing) with every table of sampleRetailSchema() as
// alias + ".Q7T" through DBFCDX, replacing files of the same names: S_TABLID with 75 identifier
// rows (LAST_ID 0), S_KONTRO with its one record, three records in every other table, and the
// schema's index tags in alias + ".CDX". Every call writes the same records. Throws xbase::Error.
void makeSampleRetailDatabase(const std::filesystem::path& dir);

}  // namespace tarvo::sampledata
