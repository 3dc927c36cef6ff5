#include "templatetools/folder_creation.h"

#include <filesystem>
#include <system_error>

#include "templates/template_import.h"
#include "xbase/blanks.h"

namespace tarvo::templatetools {

namespace {

bool isFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

// One attempt at one folder; the parent exists.
bool makeFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::create_directory(path, ec) || isFolder(path);
}

}  // namespace

bool DIRMAKE_NOEXIST(ui::Owner owner, const std::string& path, bool retry) {
    if (isFolder(std::string(xbase::trimmed(path)))) return true;
    return VODIRMAKE(owner, path, retry);
}

bool VODIRMAKE(ui::Owner owner, const std::string& path, bool retry) {
    std::string target(xbase::trimmed(path));
    if (target.size() > 1 && target.back() == '/') target.pop_back();
    if (target.empty() || target.front() != '/') {
        ui::BOXERROR(owner, "[VODirMake] Failed creating directory " + target + " !");
        return false;
    }
    // The prefix grows one folder at a time from the root: "/DATA", "/DATA/TMPL", ...
    std::string prefix;
    std::string rest = target.substr(1);
    while (prefix.size() < target.size()) {
        const size_t slash = rest.find('/');
        prefix += "/" + rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        while (!isFolder(prefix) && !makeFolder(prefix)) {
            ui::BOXERROR(owner, "[VODirMake] Failed creating directory " + prefix + " !");
            // Trying again only helps when the user can mend the cause, so the user decides.
            if (!retry || !ui::BOXASK(owner, "Tarvo-Import", "Coba buat folder " + prefix + " lagi?", 1)) return false;
        }
    }
    return true;
}

std::string createImportFolder(ui::Owner owner, const std::string& text, bool retry) {
    const std::string folder = importing::checkedImportFolder(owner, text);
    if (!folder.empty()) DIRMAKE_NOEXIST(owner, folder, retry);
    return folder;
}

}  // namespace tarvo::templatetools
