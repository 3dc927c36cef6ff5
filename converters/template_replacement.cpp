#include "converters/template_replacement.h"

#include <filesystem>

#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/file_replacement.h"
#include "xbase/table.h"

namespace tarvo::converters {

namespace fs = std::filesystem;

namespace {

// The question for an existing template, or empty when it holds no record.
std::string replaceQuestion(const fs::path& file) {
    try {
        const uint32_t records = xbase::Table::open(file, {false, true, xbase::Driver::DBFCDX})->recCount();
        if (records == 0) return {};
        return file.string() + " sudah ada dan berisi " + std::to_string(records) + " record. Ganti?";
    } catch (const xbase::Error& e) {
        // Unreadable, it may still be someone's work.
        return file.string() + " sudah ada ( " + e.what() + " ). Ganti?";
    }
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The memo and index files beside a template.
std::vector<fs::path> companionFiles(const std::string& folder, const std::string& name) {
    const std::string stem = fs::path(name).stem().string();
    std::vector<fs::path> files;
    for (const std::string& file : {stem + ".FPT", stem + ".DBT", stem + ".CDX"}) {
        const fs::path path = xbase::findIgnoringCase(folder, file);
        if (isFile(path)) files.push_back(path);
    }
    return files;
}

}  // namespace

bool keepReplacedTemplates(ui::Owner owner, const std::string& folder, const std::vector<std::string>& names) {
    std::vector<fs::path> kept;
    for (const std::string& name : names) {
        const fs::path table = xbase::findIgnoringCase(folder, name);
        if (!isFile(table)) continue;
        const std::string question = replaceQuestion(table);
        if (!question.empty() && !ui::BOXASK(owner, "Tarvo-Soft", question, 2)) return false;
        kept.push_back(table);
        for (const fs::path& file : companionFiles(folder, name)) kept.push_back(file);
    }
    if (kept.empty()) return true;
    // The copies too are written beside and renamed over the older ones: a crash never leaves a
    // half copy in place of a whole older one.
    std::vector<std::string> copies;
    try {
        xbase::FileReplacement replacement(folder, xbase::FileReplacement::MissingFolder::Refuse);
        for (const fs::path& file : kept) {
            const std::string copy = file.filename().string() + ".bak";
            std::error_code ec;
            fs::copy_file(file, replacement.workFolder() / copy, ec);
            if (ec) {
                ui::BOXERROR(owner, "Salinan " + file.string() + ".bak tidak bisa dibuat ( " + ec.message() +
                                        " ); template tidak diganti.");
                return false;
            }
            copies.push_back(copy);
        }
        replacement.commit(copies);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Salinan template tidak bisa dibuat ( ") + e.what() + " ); template tidak diganti.");
        return false;
    }
    return true;
}

}  // namespace tarvo::converters
