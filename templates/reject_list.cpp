#include "templates/reject_list.h"

#include <fstream>
#include <system_error>

#include "xbase/file_names.h"

namespace tarvo::templates {

namespace {

std::string withoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

void addRows(const std::vector<DuplicateEntry>& entries, const std::string& caption, const std::string& progressText,
             std::vector<RejectRow>& rows) {
    ui::UserInteraction& ui = ui::interaction();
    const size_t total = entries.size();
    for (size_t i = 1; i <= total; ++i) {
        ui.letEventsThrough();
        const DuplicateEntry& entry = entries[i - 1];
        ui.progressText(1, progressText + std::to_string(i) + " / " + std::to_string(total));
        ui.progressBar(static_cast<long>(100.0 * static_cast<double>(i) / static_cast<double>(total)), 100);
        rows.push_back({caption, withoutLineBreaks(entry.newCode), withoutLineBreaks(entry.newName),
                        entry.templateRecno, withoutLineBreaks(entry.existingCode),
                        withoutLineBreaks(entry.existingName), entry.stockRecno});
    }
}

std::filesystem::path fullPath(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute;
}

}  // namespace

std::vector<RejectRow> rejectRows(const ImportRun& run) {
    std::vector<RejectRow> rows;
    rows.reserve(run.codeDuplicates.size() + run.nameDuplicates.size());
    addRows(run.codeDuplicates, "Kode Sama", "Kode sama, ketemu no. ", rows);
    addRows(run.nameDuplicates, "Nama Sama", "Nama sama, ketemu no. ", rows);
    return rows;
}

std::string rejectLine(const RejectRow& row) {
    return row.caption + '\t' + row.newCode + '\t' + row.newName + "\t#" + std::to_string(row.templateRecno) + '\t' +
           row.existingCode + '\t' + row.existingName + "\t#" + std::to_string(row.stockRecno);
}

bool writeRejectFile(const std::vector<RejectRow>& rows, const std::filesystem::path& folder, ui::Owner owner) {
    if (rows.empty()) return true;
    const std::filesystem::path path = fullPath(xbase::findIgnoringCase(folder, "REJECT.TXT"));
    // The texts go out as they are: UTF-8, the program's own encoding.
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        file << "KETERANGAN\tKODE\tNAMA\tREC\tKODE *2\tNAMA *2\tREC *2\r\n";
        for (const RejectRow& row : rows) file << rejectLine(row) << "\r\n";
        file.close();
    }
    if (file) return true;
    ui::BOXERROR(owner, "Gagal membuat file : " + path.string());
    return false;
}

std::filesystem::path executableFolder() {
    std::error_code ec;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return executable.parent_path();
    std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : current;
}

}  // namespace tarvo::templates
