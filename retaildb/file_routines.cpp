#include "retaildb/file_routines.h"

#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>

#include "retaildb/program_end.h"
#include "xbase/blanks.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace tarvo::retaildb {

using xbase::allIgnoringCase;

namespace {

constexpr int kDeletionAttempts = 20;
constexpr std::chrono::milliseconds kDeletionPause{500};

std::function<void(std::chrono::milliseconds)> retryPause = [](std::chrono::milliseconds wait) {
    std::this_thread::sleep_for(wait);
};


// A number as the messages show it: without blanks, without decimals when whole.
std::string numberText(const xbase::Value& value) {
    double n = value.number();
    if (std::isfinite(n) && n == std::floor(n) && std::fabs(n) < 1e15) return std::to_string(static_cast<long long>(n));
    std::string text = std::to_string(n);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

// The path without its extension: everything before the last point after the last separator.
std::string basePath(const std::string& path) {
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

// The file itself and every file that differs from it only in ASCII case.
std::vector<std::string> namesOnDisk(const std::string& path) {
    std::filesystem::path p(path);
    std::set<std::string> names{path};
    for (const auto& match : allIgnoringCase(p.parent_path(), p.filename().string())) names.insert(match.string());
    return {names.begin(), names.end()};
}

}  // namespace

StructureElement structureField(const std::string& name, const std::string& type, int length, int decimals) {
    return StructureElement{true, {xbase::Value(name), xbase::Value(type), xbase::Value(length), xbase::Value(decimals)}};
}

void setDeletionRetryPause(std::function<void(std::chrono::milliseconds)> pause) {
    retryPause = pause ? std::move(pause) : [](std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); };
}

bool VOFILE(const std::string& path) {
    struct stat st {};
    if (::stat(std::string(xbase::trimmed(path)).c_str(), &st) != 0) return false;
    return !S_ISDIR(st.st_mode);
}

uint64_t VOFILESIZE(const std::string& path) {
    std::filesystem::path p(path);
    std::filesystem::path folder = p.has_parent_path() ? p.parent_path() : std::filesystem::path(".");
    std::string pattern = p.filename().string();
    std::error_code ec;
    std::vector<std::filesystem::path> matches;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        // Hidden files take part in the search as well.
        if (fnmatch(pattern.c_str(), entry.path().filename().c_str(), 0) == 0 && entry.is_regular_file(ec))
            matches.push_back(entry.path());
    }
    if (matches.empty()) return 0;
    std::sort(matches.begin(), matches.end());
    return std::filesystem::file_size(matches.front(), ec);
}

bool VOFErase(ui::Owner owner, const std::string& path) {
    if (!VOFILE(path)) return true;
    if (::unlink(std::string(xbase::trimmed(path)).c_str()) != 0) {
        ui::BOXERROR(owner, "[VOFErase] Cannot delete file : " + path + " !");
        return false;
    }
    return true;
}

bool VOFERASEEX(ui::Owner owner, const std::string& path) {
    for (int attempt = 1; attempt <= kDeletionAttempts; ++attempt) {
        if (VOFErase(owner, path)) return true;
        if (attempt < kDeletionAttempts) retryPause(kDeletionPause);
    }
    endProgram("[VOFErase] Cannot delete file : " + path + " !");
}

std::string VORETFILENAME(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool VOVALIDDBSTRUCT(ui::Owner owner, const std::string& tableName, const StructureArray& structure) {
    const std::string t = "[" + tableName + "]";
    auto refuse = [&](const std::string& text) {
        ui::BOXERROR(owner, text);
        return false;
    };
    if (structure.empty()) return refuse(t + " Invalid Structure Info [Empty Structure] !");
    std::set<std::string> seen;
    for (size_t i = 0; i < structure.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        const StructureElement& element = structure[i];
        if (!element.isArray) return refuse(t + " Invalid Structure Info [Element is not an array] element no: " + n + " !");
        if (element.values.size() < 4)
            return refuse(t + " Invalid Structure Info '" + std::to_string(element.values.size()) + "' element no: " + n + " !");
        const std::string& name = element.values[0].text();
        const std::string& type = element.values[1].text();
        const double length = element.values[2].number();
        const double decimals = element.values[3].number();
        if (name.empty() || name.size() > 10) return refuse(t + " Invalid Field Name '" + name + "' !");
        if (type != "C" && type != "N" && type != "D" && type != "L" && type != "M")
            return refuse(t + "[Field: " + name + "] Invalid FIELD Type '" + type + "' !");
        const std::string field = t + "[Field: " + name + "] [Type: " + type + "]";
        bool badLength = (type != "M" && length <= 0) || (type == "C" && length > 1024) ||
                         (type == "N" && length > 19) || (type == "D" && length != 8) || (type == "L" && length != 1);
        if (badLength) return refuse(field + " Invalid FIELD Length '" + numberText(element.values[2]) + "' !");
        bool badDecimals = (type != "N" && decimals > 0) || (type == "N" && decimals > 15);
        if (badDecimals) return refuse(field + " Invalid Field Decimal '" + numberText(element.values[3]) + "' !");
        if (!seen.insert(name).second) return refuse(t + " Duplicate Field Name '" + name + "' !");
    }
    return true;
}

bool VOCreate(ui::Owner owner, const std::string& path, const StructureArray& structure) {
    const std::string base = basePath(path);
    const std::string fileName = VORETFILENAME(path);
    if (!VOVALIDDBSTRUCT(owner, fileName, structure)) return false;

    bool badName = fileName.empty() || fileName.find('\0') != std::string::npos ||
                   fileName.find('\xFF') != std::string::npos || fileName.find(' ') != std::string::npos;
    // A path with folders must be absolute; a network path (leading backslash) never is.
    bool badFolder = !badName && ((path.find('/') != std::string::npos && path.front() != '/') || path.front() == '\\');
    if (badName || badFolder) {
        ui::BOXERROR(owner, "[VOCreate] Invalid File Name : " + path + " !");
        return false;
    }

    for (const std::string& victim : {path, base + ".FPT", base + ".CDX"})
        for (const std::string& name : namesOnDisk(victim))
            if (!VOFErase(owner, name)) return false;

    std::vector<xbase::FieldInfo> fields;
    for (const StructureElement& element : structure) {
        fields.push_back(xbase::FieldInfo{element.values[0].text(), element.values[1].text()[0],
                                          static_cast<int>(element.values[2].number()),
                                          static_cast<int>(element.values[3].number())});
    }
    auto failure = [&](const std::string& step, const std::string& reason) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        std::filesystem::remove(base + ".FPT", ec);
        ui::BOXERROR(owner, "[VOCreate:" + step + "] Failed creating file : " + path + " !\r\nDOS Error: " + reason);
        return false;
    };
    errno = 0;
    try {
        xbase::Table::create(path, fields, xbase::Driver::DBFCDX);
    } catch (const xbase::Error& e) {
        return failure("lRetCode", errno != 0 ? std::strerror(errno) : e.what());
    }
    if (!VOFILE(path)) return failure("VOFile", std::strerror(errno != 0 ? errno : ENOENT));
    return true;
}

bool VOCREATEORDER(ui::Owner, const std::string& keyExpression, const std::string& tagName,
                   const std::string& indexPath) {
    if (xbase::Table* table = xbase::workAreas().current()) {
        try {
            table->createOrder(indexPath, tagName, keyExpression);
        } catch (const xbase::Error&) {
            // The caller learns of a missing tag when it selects the order.
        }
    }
    return true;
}

}  // namespace tarvo::retaildb
