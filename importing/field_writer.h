#pragma once
// Writes the fields of one open retail table by name, each name resolved to its position once
// (the item import writes some two hundred fields per record, hundreds of thousands of times),
// and the writes the row rules share: template columns copied into the fields of the same name,
// phones and contacts, the run stamps.

#include <initializer_list>
#include <string>
#include <string_view>

#include "importing/import_run.h"
#include "importing/text_map.h"
#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::importing {

class FieldWriter {
public:
    // The table open under the alias; it must stay open while the writer is used.
    explicit FieldWriter(std::string alias);
    // Moves keep the map's entries where they are; a copy would point into the original's.
    FieldWriter(FieldWriter&&) = default;
    FieldWriter& operator=(FieldWriter&&) = default;
    FieldWriter(const FieldWriter&) = delete;
    FieldWriter& operator=(const FieldWriter&) = delete;

    // Into the current record of the table. A field the table lacks ends the program with the
    // message of VOFieldPut.
    void put(std::string_view field, const xbase::Value& value);
    void put(std::initializer_list<const char*> fields, const xbase::Value& value);
    // The run stamps INPUT_OLEH = -1, TGL_INPUT and JAM_INPUT, for the fields the table has.
    void putStamps(const ImportRun& run);

    // Each column trimmed (empty when absent) into the field of the same name.
    void putTrimmed(const SourceRow& row, std::initializer_list<const char*> columns);
    // Each column as stored (empty when absent) into the field of the same name.
    void putUnchanged(const SourceRow& row, std::initializer_list<const char*> columns);
    // TELEPON, HUBUNGI, HUBUNGI_2, HUBUNGI_3 trimmed; TELEPON_2 and TELEPON_3 only after a written
    // TELEPON and TELEPON_2, and each HUB_TELP_n only after a written HUBUNGI of its number.
    void putPhonesAndContacts(const SourceRow& row);

    xbase::Table& table() const { return *table_; }
    const std::string& alias() const { return alias_; }

private:
    int position(std::string_view field);
    // Into the field when the table has it; one lookup, so that the chain of fields stays intact.
    void putWhenPresent(std::string_view field, const xbase::Value& value);
    // The column trimmed when the text written before it is not blank, else empty; returns what
    // it wrote.
    std::string putAfter(const SourceRow& row, const char* column, const std::string& previous);

    // A field's position, and the field written after it the last time: the rules write the same
    // fields in the same order record after record, so that field is tried before the map.
    struct KnownField {
        std::string_view name;  // the map's key
        int position = 0;
        KnownField* next = nullptr;
    };

    std::string alias_;
    xbase::Table* table_;
    TextMap<KnownField> fields_;
    KnownField* previous_ = nullptr;  // the field of the last put
};

}  // namespace tarvo::importing
