#pragma once
// Template files for tests.
//
//   writeTemplate(folder, "ITEM", {{{"KODE", "A1"}, {"NAMA", "Apel"}, {"SISA_STK1", 5}}});
//       writes folder/ITEM.DBF with the full layout of templateLayout("ITEM") and one row per
//       map (columns not named stay blank). Returns the file's path.
//   writeTemplate(folder, "VENDOR", rows, {{"NAMA", xbase::FieldInfo{"NAMA", 'C', 60, 0}},
//                                          {"KODE", std::nullopt},
//                                          {"EXTRA", xbase::FieldInfo{"EXTRA", 'C', 5, 0}}});
//       overrides: a layout column named there is replaced by the given field (type, width,
//       decimals) or left out (nullopt); a name outside the layout adds that column at the end
//       (an optional column such as PELANG KODE_HJL, or an extra column).
//   writeTable(path, fields, rows): any DBF (DBFNTX) with exactly these fields and rows.
//   markDeleted(path, {2, 5}): marks those records of a DBF as deleted.
//   openTemplate(folder, "ITEM"): opens NAME.DBF under the alias NAME, exclusive, through
//       VOOPEN with the DBFNTX driver; false after VOOPEN's message.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::test {

using TemplateValues = std::map<std::string, xbase::Value>;
using ColumnOverrides = std::map<std::string, std::optional<xbase::FieldInfo>>;

// The fields of a template's layout with the overrides applied.
std::vector<xbase::FieldInfo> templateFields(const std::string& name, const ColumnOverrides& overrides = {});

std::filesystem::path writeTemplate(const std::filesystem::path& folder, const std::string& name,
                                    const std::vector<TemplateValues>& rows = {},
                                    const ColumnOverrides& overrides = {});

void writeTable(const std::filesystem::path& path, const std::vector<xbase::FieldInfo>& fields,
                const std::vector<TemplateValues>& rows = {});

void markDeleted(const std::filesystem::path& path, const std::vector<uint32_t>& recnos);

bool openTemplate(const std::filesystem::path& folder, const std::string& name);

}  // namespace tarvo::test
