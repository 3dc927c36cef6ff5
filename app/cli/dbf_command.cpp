// "dbf" subcommands: look inside a table without the retail application.

#include <charconv>
#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "xbase/dates.h"
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
            case '\0': out += "\\0"; break;
            default: out += c;
        }
    }
    return out;
}

std::string shortestText(double number) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, number).ptr;
    return std::string(text, end);
}

std::string shown(const Value& value, const xbase::FieldInfo& field) {
    switch (value.type()) {
        case xbase::ValueType::Nil: return ".NULL.";
        case xbase::ValueType::Character: {
            if (field.binary) return value.text().empty() ? "" : "<binary " + std::to_string(value.text().size()) + " bytes>";
            std::string text = value.text();
            if (field.type != 'M') text.erase(text.find_last_not_of(' ') + 1);
            return escaped(text);
        }
        case xbase::ValueType::Numeric: {
            int decimals = field.type == 'N' || field.type == 'F' ? field.decimals : field.type == 'Y' ? 4 : 0;
            if (field.type == 'B' || field.type == 'O') {
                // Doubles without decimals in the header are shown as exactly as they are held.
                if (field.decimals == 0) return shortestText(value.number());
                decimals = field.decimals;
            }
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
        else if (!order.unkeptReason().empty()) std::printf("      read only: %s\n", order.unkeptReason().c_str());
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
    if (!table->containerLink().empty()) {
        std::printf("Database:      %s\n", table->containerLink().c_str());
        if (!table->containerProblem().empty()) std::printf("               %s\n", table->containerProblem().c_str());
    }
    std::printf("Records:       %u\n", table->recCount());
    for (const std::string& disagreement : table->headerDisagreements())
        std::printf("               %s\n", disagreement.c_str());
    std::printf("Header length: %u\n", table->headerLength());
    std::printf("Record length: %u\n", table->recordLength());
    std::printf("Fields:        %d\n", table->fieldCount());
    std::printf("  %-3s %-10s %-4s %6s %4s\n", "#", "Name", "Type", "Width", "Dec");
    for (int i = 1; i <= table->fieldCount(); ++i) {
        const auto& f = table->field(i);
        const std::string& longName = table->longFieldName(i);
        std::printf("  %-3d %-10s %-4c %6d %4d%s%s\n", i, f.name.c_str(), f.type, f.length, f.decimals,
                    longName.empty() ? "" : "  ", longName.c_str());
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
    // A database container's long names where it keeps them.
    for (int i = 1; i <= table->fieldCount(); ++i) {
        const std::string& longName = table->longFieldName(i);
        line += "\t" + table->decodeText(longName.empty() ? table->field(i).name : longName);
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    // A value that cannot be read (a memo pointer into nowhere) is marked in its place, so that the
    // rest of the record and the table are still shown; the reasons go to stderr and the status is 1.
    int unreadable = 0;
    for (table->goTop(); !table->eof(); table->skip()) {
        line = table->deleted() ? "*" : "";
        for (int i = 1; i <= table->fieldCount(); ++i) {
            try {
                line += "\t" + shown(table->fieldGet(i), table->field(i));
            } catch (const xbase::Error& e) {
                line += "\t<unreadable>";
                std::fprintf(stderr, "record %u, field %s: %s\n", table->recNo(), table->field(i).name.c_str(), e.what());
                ++unreadable;
            }
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    if (unreadable > 0) std::fprintf(stderr, "%d value(s) could not be read.\n", unreadable);
    return unreadable == 0 ? 0 : 1;
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

// Adds a tag to the table's structural index, or replaces the tag of that name.
int index(const IndexRequest& request) {
    auto table = openExclusive(request.path);
    table->createOrder(table->structuralIndexPath(), request.tag, request.expression, request.condition,
                       request.descending, request.unique);
    const xbase::IndexOrder& order = *table->order(request.tag);
    std::printf("Tag %s built: %u keys\n", order.name().c_str(), order.tag().keyCount());
    return 0;
}

void addIndexCommand(CommandLine& cli, CLI::App& dbf) {
    CLI::App& command = *dbf.add_subcommand(
        "index", "Adds a tag to the table's structural index (FILE with the extension .CDX), or replaces it");
    auto request = std::make_shared<IndexRequest>();
    command.add_option("FILE", request->path, "The table, taken exclusively")->transform(absolutePath())->required();
    command.add_option("TAG", request->tag, "The tag's name (up to 10 characters)")->required();
    command.add_option("EXPRESSION", request->expression, "The key expression, e.g. \"Upper(NAMA)\"")->required();
    command.add_option("--for", request->condition, "Only records for which this condition is true");
    command.add_flag("--descending", request->descending, "Keys in descending order");
    command.add_flag("--unique", request->unique, "One record of each key");
    cli.onRun(command, [request] { return index(*request); });
}

void addDbfCommands(CommandLine& cli) {
    CLI::App& dbf = cli.group("dbf", "Looks inside a table (.DBF, .Q7T, .DTA) without the retail application");
    const struct {
        const char* name;
        const char* description;
        int (*run)(const std::string&);
    } subcommands[] = {
        {"info", "Header version, code page, record count, structure and index tags of a table", info},
        {"dump", "Records as tab-separated UTF-8 lines, deleted ones marked \"*\"", dump},
        {"check", "Walks every tag of the table's index against its records (exit 1 on a problem)", check},
        {"reindex", "Rebuilds every tag of the table's index from its own expressions (takes the table exclusively)",
         reindex},
    };
    for (const auto& subcommand : subcommands) {
        CLI::App& command = *dbf.add_subcommand(subcommand.name, subcommand.description);
        auto file = std::make_shared<std::string>();
        command.add_option("FILE", *file, "The table; its memo and index files are found beside it")
            ->transform(absolutePath())->required();
        cli.onRun(command, [file, run = subcommand.run] { return run(*file); });
    }
    addIndexCommand(cli, dbf);
}

const CommandRegistration registration("dbf", addDbfCommands);

}  // namespace

}  // namespace tarvo::cli
