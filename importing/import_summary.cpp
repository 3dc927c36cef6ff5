#include "importing/import_summary.h"

#include <cstdio>

namespace tarvo::importing {

namespace {

struct Labels {
    const char* written;
    const char* skipped;
    const char* duplicates;  // printf format: by code, by name
    const char* rejectList;
    const char* incomplete;
    const char* dryRun;
    const char* backup;
};

constexpr Labels kEnglish{
    "Records written:\n", "Rows skipped:\n", "Duplicates: %zu by code, %zu by name\n", "Reject list: ",
    "Tables left incomplete (a write failed; each holds the records counted above):\n",
    "Dry run: the import ran on a scratch copy; the shop's database was not changed.\n",
    "Backup before the import: "};
constexpr Labels kIndonesian{
    "Record yang ditulis:\n", "Baris yang dilewati:\n", "Duplikat: %zu menurut kode, %zu menurut nama\n",
    "Daftar tolak: ",
    "Tabel yang tidak lengkap (penulisan gagal; isinya sebanyak record di atas):\n",
    "Periksa saja: import dijalankan pada salinan sementara; data toko tidak diubah.\n",
    "Cadangan sebelum import: "};

void line(std::string& out, const std::string& name, unsigned long count) {
    char text[64];
    std::snprintf(text, sizeof text, "  %-10s %lu\n", name.c_str(), count);
    out += text;
}

}  // namespace

std::string importSummary(const ImportOutcome& outcome, SummaryLanguage language) {
    const Labels& l = language == SummaryLanguage::English ? kEnglish : kIndonesian;
    std::string out = l.written;
    for (const auto& [table, count] : outcome.written) line(out, table, count);
    if (!outcome.skipped.empty()) {
        out += l.skipped;
        for (const auto& [tmpl, count] : outcome.skipped) line(out, tmpl, count);
    }
    char duplicates[128];
    std::snprintf(duplicates, sizeof duplicates, l.duplicates, outcome.codeDuplicates, outcome.nameDuplicates);
    out += duplicates;
    if (!outcome.rejectFile.empty()) out += l.rejectList + outcome.rejectFile.string() + "\n";
    if (!outcome.incomplete.empty()) {
        out += l.incomplete;
        for (const retaildb::IncompleteTable& table : outcome.incomplete) line(out, table.alias, table.recordsOnDisk);
    }
    if (outcome.dryRun) out += l.dryRun;
    if (!outcome.backupFolder.empty()) out += l.backup + outcome.backupFolder.string() + "\n";
    return out;
}

}  // namespace tarvo::importing
