#pragma once
// The lines of the printed item and customer reports: which lines carry data, and the values cut
// out of their fixed columns. Lines are the report's OEM bytes; texts come back in UTF-8.

#include <string>
#include <string_view>

namespace tarvo::converters {

// One line of ITEM.TXT, the values of an ITEM.DBF record.
struct ItemLine {
    std::string code;   // KODE: trimmed, upper case
    std::string name;   // NAMA: trimmed
    double price = 0;   // H_BELI and H_JUAL1
    double quantity = 0;  // SISA_STK1
    double value = 0;   // SISA_NIL1: quantity x price
};

// The two lines of a customer in CUST.TXT, the values of a PELANG.DBF record.
struct CustomerLines {
    std::string code;     // KODE: trimmed, upper case
    std::string name;     // NAMA
    std::string taxNumber;  // NPWP
    std::string address;  // ALAMAT
    std::string phone;    // TELEPON
    std::string contact;  // HUBUNGI
    double creditLimit = 0;  // MAX_CRD
    std::string note;     // CATATAN: the four discounts
};

// Whether a line of ITEM.TXT, its leading blanks removed, is an item line: longer than 120
// characters and none of the page-header and subtotal words in it.
bool isItemLine(std::string_view line);
// Whether a line of CUST.TXT, its leading blanks removed, starts a customer: longer than 130
// characters and none of the page-header words in it.
bool isCustomerLine(std::string_view line);

ItemLine readItemLine(std::string_view line);
// The first line with its leading blanks removed; the second line as read (empty after the last
// line of the file).
CustomerLines readCustomerLines(std::string_view first, std::string_view second);

// A number of the report: commas removed, the leading numeric part with "." as the point.
double reportNumber(std::string_view text);
// "Disc D: " d "%  M: " m "%  H: " h "%  0: " z "%", each discount through the picture "999.99"
// with its trailing decimal zeros cut (the decimal separator must be "." while this runs).
std::string discountNote(double d, double m, double h, double zero);

}  // namespace tarvo::converters
