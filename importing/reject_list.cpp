#include "importing/reject_list.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "xbase/file_names.h"

namespace tarvo::importing {

namespace {

std::string withoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

std::filesystem::path fullPath(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute;
}

}  // namespace

RejectRow rejectRow(const DuplicateEntry& entry, const std::string& caption) {
    return {caption,
            withoutLineBreaks(entry.newCode),
            withoutLineBreaks(entry.newName),
            entry.templateRecno,
            withoutLineBreaks(entry.existingCode),
            withoutLineBreaks(entry.existingName),
            entry.stockRecno};
}

void loadRejectList(const DuplicateList& entries, const std::string& caption,
                    const std::function<void(const RejectRow&)>& add) {
    ui::UserInteraction& ui = ui::interaction();
    const std::string progressText =
        caption == kCodeDuplicateCaption ? "Kode sama, ketemu no. " : "Nama sama, ketemu no. ";
    const size_t total = entries.size();
    size_t i = 0;
    entries.forEach([&](const DuplicateEntry& entry) {
        ++i;
        ui.letEventsThrough();
        ui.progressText(1, progressText + std::to_string(i) + " / " + std::to_string(total));
        ui.progressBar(static_cast<long>(100.0 * static_cast<double>(i) / static_cast<double>(total)), 100);
        add(rejectRow(entry, caption));
    });
}

std::vector<RejectRow> rejectRows(const ImportRun& run) {
    std::vector<RejectRow> rows;
    rows.reserve(run.codeDuplicates.size() + run.nameDuplicates.size());
    auto add = [&rows](const RejectRow& row) { rows.push_back(row); };
    loadRejectList(run.codeDuplicates, kCodeDuplicateCaption, add);
    loadRejectList(run.nameDuplicates, kNameDuplicateCaption, add);
    return rows;
}

std::string rejectLine(const RejectRow& row) {
    return row.caption + '\t' + row.newCode + '\t' + row.newName + "\t#" + std::to_string(row.templateRecno) + '\t' +
           row.existingCode + '\t' + row.existingName + "\t#" + std::to_string(row.stockRecno);
}

RejectFile::RejectFile(const std::filesystem::path& file, ui::Owner owner)
    : path_(fullPath(xbase::findIgnoringCase(file.parent_path(), file.filename().string()))), owner_(owner) {
    // The texts go out as they are: UTF-8, the program's own encoding.
    file_.open(path_, std::ios::binary | std::ios::trunc);
    if (file_) file_ << "KETERANGAN\tKODE\tNAMA\tREC\tKODE *2\tNAMA *2\tREC *2\r\n";
    if (!file_) {
        file_.close();
        ui::BOXERROR(owner_, "Gagal membuat file : " + path_.string());
    }
}

void RejectFile::write(const RejectRow& row) {
    if (file_.is_open()) file_ << rejectLine(row) << "\r\n";
}

bool RejectFile::close() {
    if (!file_.is_open()) return false;
    file_.close();
    if (file_) return true;
    ui::BOXERROR(owner_, "Gagal membuat file : " + path_.string());
    return false;
}

bool writeRejectFile(const std::vector<RejectRow>& rows, const std::filesystem::path& file, ui::Owner owner) {
    if (rows.empty()) return true;
    RejectFile reject(file, owner);
    for (const RejectRow& row : rows) reject.write(row);
    return reject.close();
}

bool writeRejectFile(const DuplicateList& codeDuplicates, const DuplicateList& nameDuplicates,
                     const std::filesystem::path& file, ui::Owner owner) {
    if (codeDuplicates.empty() && nameDuplicates.empty()) return true;
    RejectFile reject(file, owner);
    const auto write = [&reject](const RejectRow& row) { reject.write(row); };
    loadRejectList(codeDuplicates, kCodeDuplicateCaption, write);
    loadRejectList(nameDuplicates, kNameDuplicateCaption, write);
    return reject.close();
}

bool runsFromBuildTree(const std::filesystem::path& programFolder) {
    std::error_code ec;
    for (std::filesystem::path folder = programFolder; !folder.empty(); folder = folder.parent_path()) {
        if (std::filesystem::is_regular_file(folder / "CMakeCache.txt", ec)) return true;
        if (folder == folder.root_path()) break;
    }
    return false;
}

std::filesystem::path rejectFile(const std::filesystem::path& shopFolder, const std::filesystem::path& programFolder) {
    if (runsFromBuildTree(programFolder) && ::access(programFolder.c_str(), W_OK) == 0)
        return programFolder / "REJECT.TXT";
    std::filesystem::path dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') dataHome = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) dataHome = std::filesystem::path(home) / ".local/share";
    else dataHome = std::filesystem::temp_directory_path();  // no home: still never a program's folder
    const std::filesystem::path folder = dataHome / "tarvo-import";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::filesystem::path shop = fullPath(shopFolder).lexically_normal();
    if (shop.filename().empty()) shop = shop.parent_path();
    const std::string shopName = shop.filename().string();
    return folder / (shopName.empty() ? std::string("REJECT.TXT") : "REJECT-" + shopName + ".TXT");
}

}  // namespace tarvo::importing
