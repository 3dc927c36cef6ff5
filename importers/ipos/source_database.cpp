#include "importers/ipos/source_database.h"

#include <algorithm>
#include <fstream>

#include "importers/ipos/access_driver.h"
#include "importers/ipos/schema.h"
#include "odbc/connection.h"
#include "odbc/error.h"
#include "xbase/text_case.h"

namespace tarvo::importers::ipos {

namespace {

class Reader {
public:
    Reader(odbc::Connection& connection, const std::function<void()>& afterTable)
        : connection_(connection), afterTable_(afterTable) {
        try {
            tables_ = connection.tableNames();
        } catch (const odbc::Error&) {
            // Without a catalogue the statements themselves tell which table is missing.
        }
    }

    odbc::Result read(const char* tableName) {
        const SourceTable& table = sourceTable(tableName);
        if (!tables_.empty() &&
            std::none_of(tables_.begin(), tables_.end(), [&](const std::string& t) { return xbase::equalsIgnoreCase(t, table.name); }))
            throw SourceRefused(std::string("Tabel ") + table.name + " tidak ditemukan di database!");
        odbc::Result result = [&] {
            try {
                return connection_.query(selectAll(table.name));
            } catch (const odbc::Error& error) {
                throw SourceRefused(std::string("Tabel ") + table.name + " tidak dapat dibaca:\n" + error.what());
            }
        }();
        for (const SourceColumn& column : table.columns)
            if (!result.findColumn(column.name))
                throw SourceRefused(std::string("Kolom ") + column.name + " tidak ditemukan di tabel " + table.name +
                                    "!");
        if (afterTable_) afterTable_();
        return result;
    }

    Transactions transactions(const char* headerTable, const char* detailTable) {
        odbc::Result headers = read(headerTable);
        odbc::Result lines = read(detailTable);
        TransactionLines byNumber(lines);
        return Transactions{std::move(headers), std::move(lines), std::move(byNumber)};
    }

private:
    odbc::Connection& connection_;
    const std::function<void()>& afterTable_;
    std::vector<std::string> tables_;
};

}  // namespace

std::string accessConnectionString(const std::string& file, const std::string& password) {
    return "Driver=" + accessDriver() + ";DBQ=" + file + ";" + "UID=Admin;" + "Pwd=" + password + ";";
}

bool isAccessFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char head[20] = {};
    if (!in.read(head, sizeof head)) return false;
    const std::string_view signature(head + 4, 15);
    return signature == "Standard Jet DB" || signature == "Standard ACE DB";
}

bool hasMdbExtension(const std::filesystem::path& file) { return xbase::equalsIgnoreCase(file.extension().string(), ".mdb"); }

SourceDatabase SourceDatabase::read(const std::string& connectionString, const std::function<void()>& afterTable) {
    std::unique_ptr<odbc::Connection> connection;
    try {
        connection = std::make_unique<odbc::Connection>(connectionString);
    } catch (const odbc::Error& error) {
        throw SourceRefused(std::string("Koneksi ke database gagal:\n") + error.what());
    }
    Reader reader(*connection, afterTable);
    SourceDatabase source{reader.read(kItemGroupTable),
                          reader.read(kItemTable),
                          reader.read(kSalesmanTable),
                          reader.transactions(kSalesHeaderTable, kSalesDetailTable),
                          reader.transactions(kCashHeaderTable, kCashDetailTable),
                          reader.transactions(kReceiptHeaderTable, kReceiptDetailTable),
                          reader.transactions(kIssueHeaderTable, kIssueDetailTable)};
    return source;
}

}  // namespace tarvo::importers::ipos
