// "dbf" subcommands: look inside a table without the retail application.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "xbase/dates.h"
#include "xbase/error.h"
#include "xbase/number_text.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::cli {

namespace {

using xbase::Table;
using xbase::Value;

const char* versionName(uint8_t version) {
    switch (version) {
        case 0x02: return "FoxBASE";
        case 0x03: return "dBASE III / FoxPro, no memo";
        case 0x04: return "dBASE IV, no memo";
        case 0x05: return "dBASE V, no memo";
        case 0x30: return "Visual FoxPro";
        case 0x31: return "Visual FoxPro, autoincrement";
        case 0x32: return "Visual FoxPro, varchar";
        case 0x83: return "dBASE III with DBT memo";
        case 0x8B: return "dBASE IV with DBT memo";
        case 0x8E: return "dBASE IV with SQL table";
        case 0xF5: return "FoxPro 2 with FPT memo";
        case 0xFB: return "FoxBASE with memo";
        default: return "other";
    }
}

// Tabs, line ends and backslashes escaped so that a record stays on one line.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
        }
    }
    return out;
}

std::string shown(const Value& value, const xbase::FieldInfo& field) {
    switch (value.type()) {
        case xbase::ValueType::Nil: return ".NULL.";
        case xbase::ValueType::Character: {
            std::string text = value.text();
            if (field.type != 'M') text.erase(text.find_last_not_of(' ') + 1);
            return escaped(text);
        }
        case xbase::ValueType::Numeric: {
            int decimals = field.type == 'N' || field.type == 'F' ? field.decimals : field.type == 'Y' ? 4 : 0;
            if (field.type == 'B') decimals = field.decimals;
            std::string text = xbase::Str(value.number(), 30, decimals);
            return text.substr(text.find_first_not_of(' '));
        }
        case xbase::ValueType::Date: return value.date().empty() ? "" : xbase::DToC(value.date());
        case xbase::ValueType::Logical: return value.logical() ? "T" : "F";
        case xbase::ValueType::DateTime: return value.dateTime().empty() ? "" : xbase::TToC(value.dateTime());
    }
    return {};
}

void printTags(const Table& table) {
    std::printf("Tags:          %d\n", table.orderCount());
    for (int i = 1; i <= table.orderCount(); ++i) {
        const xbase::IndexOrder& order = *table.order(i);
        const auto& info = order.tag().info();
        std::printf("  %-3d %-10s key %s%s%s%s%s\n", i, info.name.c_str(), info.keyExpression.c_str(),
                    info.forExpression.empty() ? "" : "  FOR ", info.forExpression.c_str(),
                    info.descending ? "  DESCENDING" : "", info.unique ? "  UNIQUE" : "");
        if (!order.usable()) std::printf("      unusable: %s\n", order.unusableReason().c_str());
    }
}

int info(const std::string& path) {
    auto table = Table::open(path, xbase::OpenOptions{false, true, xbase::Driver::DBFCDX});
    char version[8];
    std::snprintf(version, sizeof version, "0x%02X", table->version());
    std::printf("File:          %s\n", path.c_str());
    std::printf("Version:       %s (%s)\n", version, versionName(table->version()));
    std::printf("Code page:     %s (language driver 0x%02X)\n", table->codePageName().c_str(), table->languageDriver());
    std::printf("Last update:   %s\n", xbase::DToC(table->lastUpdate()).c_str());
    std::printf("Records:       %u\n", table->recCount());
    std::printf("Header length: %u\n", table->headerLength());
    std::printf("Record length: %u\n", table->recordLength());
    std::printf("Fields:        %d\n", table->fieldCount());
    std::printf("  %-3s %-10s %-4s %6s %4s\n", "#", "Name", "Type", "Width", "Dec");
    for (int i = 1; i <= table->fieldCount(); ++i) {
        const auto& f = table->field(i);
        std::printf("  %-3d %-10s %-4c %6d %4d\n", i, f.name.c_str(), f.type, f.length, f.decimals);
    }
    printTags(*table);
    return 0;
}

// Walks every tag against the records: order, keys equal to their expressions, FOR condition.
int check(const std::string& path) {
    auto table = Table::open(path, xbase::OpenOptions{false, true, xbase::Driver::DBFCDX});
    if (table->orderCount() == 0) {
        std::printf("%s: no index file with tags\n", path.c_str());
        return 0;
    }
    int problems = 0;
    int unusable = 0;
    for (int i = 1; i <= table->orderCount(); ++i) {
        xbase::IndexOrder& order = *table->order(i);
        const auto& info = order.tag().info();
        if (!order.usable()) {
            std::printf("Tag %s: key %s%s%s, unusable: %s\n", info.name.c_str(), info.keyExpression.c_str(),
                        info.forExpression.empty() ? "" : ", FOR ", info.forExpression.c_str(),
                        order.unusableReason().c_str());
            ++unusable;
            continue;
        }
        std::printf("Tag %s: key %s%s%s, %u keys\n", info.name.c_str(), info.keyExpression.c_str(),
                    info.forExpression.empty() ? "" : ", FOR ", info.forExpression.c_str(), order.tag().keyCount());
        for (const std::string& problem : table->indexes()->check(order)) {
            std::printf("  problem: %s\n", problem.c_str());
            ++problems;
        }
    }
    if (problems == 0 && unusable == 0) std::printf("All tags are consistent.\n");
    if (problems > 0) std::printf("%d problem(s) found.\n", problems);
    if (unusable > 0) std::printf("%d unusable tag(s) not checked.\n", unusable);
    return problems == 0 && unusable == 0 ? 0 : 1;
}

int dump(const std::string& path) {
    auto table = Table::open(path, xbase::OpenOptions{false, true, xbase::Driver::DBFCDX});
    xbase::settings().deleted = false;  // deleted records are shown, marked
    std::string line = "DELETED";
    for (int i = 1; i <= table->fieldCount(); ++i) line += "\t" + table->field(i).name;
    std::printf("%s\n", line.c_str());
    for (table->goTop(); !table->eof(); table->skip()) {
        line = table->deleted() ? "*" : "";
        for (int i = 1; i <= table->fieldCount(); ++i) line += "\t" + shown(table->fieldGet(i), table->field(i));
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

std::unique_ptr<Table> openExclusive(const std::string& path) {
    return Table::open(path, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
}

// Rebuilds every tag of the table's index files from their own expressions.
int reindex(const std::string& path) {
    auto table = openExclusive(path);
    if (table->orderCount() == 0) {
        std::printf("%s: no index file with tags\n", path.c_str());
        return 0;
    }
    table->reindex();
    for (int i = 1; i <= table->orderCount(); ++i) {
        const xbase::IndexOrder& order = *table->order(i);
        std::printf("Tag %s rebuilt: %u keys\n", order.name().c_str(), order.tag().keyCount());
    }
    return 0;
}

struct IndexRequest {
    std::string path, tag, expression, condition;
    bool descending = false;
    bool unique = false;
};

// FILE TAG EXPRESSION [--for CONDITION] [--descending] [--unique]; nullopt for anything else.
std::optional<IndexRequest> parseIndexRequest(const Arguments& args) {
    IndexRequest request;
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--for" && i + 1 < args.size()) request.condition = args[++i];
        else if (args[i] == "--descending") request.descending = true;
        else if (args[i] == "--unique") request.unique = true;
        else if (args[i].starts_with("--")) return std::nullopt;
        else positional.push_back(args[i]);
    }
    if (positional.size() != 3) return std::nullopt;
    request.path = positional[0];
    request.tag = positional[1];
    request.expression = positional[2];
    return request;
}

// Adds a tag to the table's structural index, or replaces the tag of that name.
int index(const IndexRequest& request) {
    auto table = openExclusive(request.path);
    table->createOrder(table->structuralIndexPath(), request.tag, request.expression, request.condition,
                       request.descending, request.unique);
    const xbase::IndexOrder& order = *table->order(request.tag);
    std::printf("Tag %s built: %u keys\n", order.name().c_str(), order.tag().keyCount());
    return 0;
}

constexpr const char* kUsage =
    "usage: tarvo-import-cli dbf info|dump|check|reindex FILE\n"
    "       tarvo-import-cli dbf index FILE TAG EXPRESSION [--for CONDITION] [--descending] [--unique]\n";

}  // namespace

int dbfCommand(const Arguments& args) {
    const bool oneFile = args.size() == 2 && (args[0] == "info" || args[0] == "dump" || args[0] == "check" ||
                                              args[0] == "reindex");
    const std::optional<IndexRequest> indexRequest =
        !args.empty() && args[0] == "index" ? parseIndexRequest(args) : std::nullopt;
    if (!oneFile && !indexRequest) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    try {
        if (indexRequest) return index(*indexRequest);
        if (args[0] == "check") return check(args[1]);
        if (args[0] == "reindex") return reindex(args[1]);
        return args[0] == "info" ? info(args[1]) : dump(args[1]);
    } catch (const xbase::Error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    } catch (const std::filesystem::filesystem_error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
}

}  // namespace tarvo::cli
