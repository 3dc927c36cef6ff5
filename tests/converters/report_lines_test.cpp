// The lines of the printed reports: which ones carry data, and the values cut out of them.

#include <gtest/gtest.h>

#include "converters/report_lines.h"
#include "tests/converters/report_text.h"
#include "xbase/settings.h"

namespace tarvo::converters {
namespace {

using test::customerFirstLine;
using test::customerSecondLine;
using test::CustomerText;
using test::itemLine;

TEST(ReportLines, ItemLinesAreLongerThan120CharactersWithoutHeaderWords) {
    const struct {
        std::string line;
        bool item;
    } cases[] = {
        {itemLine("A1", "SABUN", "1.00", "1", 120), false},
        {itemLine("A1", "SABUN", "1.00", "1", 121), true},
        {itemLine("A1", "SABUN SUBTOTAL", "1.00", "1"), false},
        {itemLine("A1", "SABUN", "1.00", "1") + "SUBTOTAL", false},
        {itemLine("ITEM CODE", "DESCRIPTION", "PRICE", "QTY"), false},
        {itemLine("", "ITEM LIST", "", ""), false},
        {std::string(130, '-'), false},
        {itemLine("A1", "subtotal", "1.00", "1"), true},  // the words are matched as printed
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isItemLine(c.line), c.item) << '"' << c.line << '"';
}

TEST(ReportLines, CustomerLinesAreLongerThan130CharactersWithoutHeaderWords) {
    const std::string customer = customerFirstLine({.code = "C1", .name = "TOKO MAJU"});
    const struct {
        std::string line;
        bool customer;
    } cases[] = {
        {customer.substr(0, 130), false},
        {customer.substr(0, 131), true},
        {customerFirstLine({.code = "NO#.", .name = "N A M E"}), false},
        {customerFirstLine({.code = "C1", .name = "N A M E"}), false},
        {customerFirstLine({.name = "CUSTOMER LIST"}), false},
        {customer + "Page 2", false},
        {customer + " October 2010", false},
        {customer.substr(0, 139) + "/October 2010", true},
        {std::string(140, '-'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(isCustomerLine(c.line), c.customer) << '"' << c.line << '"';
}

TEST(ReportLines, NumbersLoseTheirCommasAndReadTheLeadingNumber) {
    const struct {
        const char* text;
        double number;
    } cases[] = {{"1,250,000.00", 1250000.0}, {"   12.5", 12.5}, {"-1,000.25", -1000.25}, {"", 0.0},
                 {"abc", 0.0},            {"7 pcs", 7.0},     {"1,2,3", 123.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(reportNumber(c.text), c.number) << c.text;
}

TEST(ReportLines, AnItemLineGivesItsCodeNamePriceQuantityAndValue) {
    // The name carries OEM bytes: 0x82 is e acute and 0x94 o umlaut in code page 437.
    const ItemLine item = readItemLine(itemLine("  ab-01x", "Kaf\x82  K\x94ln  ", "1,250,000.00", "1,234.5"));
    EXPECT_EQ(item.code, "AB-01X");
    EXPECT_EQ(item.name, "Kaf\u00e9  K\u00f6ln");
    EXPECT_DOUBLE_EQ(item.price, 1250000.0);
    EXPECT_DOUBLE_EQ(item.quantity, 1234.5);
    EXPECT_DOUBLE_EQ(item.value, 1250000.0 * 1234.5);

    // Only the code's 13 columns count.
    EXPECT_EQ(readItemLine(itemLine("ABCDEFGHIJKLMN", "X", "1", "1")).code, "ABCDEFGHIJKLM");
}

class DiscountNoteTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        xbase::settings().decimalSep = '.';
        xbase::settings().thousandSep = ',';
    }
    void TearDown() override { xbase::applyStartupSettings(); }
};

TEST_F(DiscountNoteTest, EachDiscountIsSixCharactersWideBeforeItsTrailingZerosAreCut) {
    EXPECT_EQ(discountNote(0, 2.5, 10, 12.75), "Disc D:   0%  M:   2.5%  H:  10%  0:  12.75%");
    EXPECT_EQ(discountNote(5, 100, 0.05, 999.99), "Disc D:   5%  M: 100%  H:   0.05%  0: 999.99%");
}

TEST_F(DiscountNoteTest, ACustomerRecordComesFromItsTwoLines) {
    const CustomerText text{.code = "c-001",
                            .name = "TOKO SUMBER REJEKI",
                            .limit = "15,000,000.00",
                            .d = "2.50",
                            .m = "10.00",
                            .h = "0.00",
                            .zero = "12.75",
                            .address = "JL. MERDEKA 17, MEDAN",
                            .phone = "061-4567890",
                            .taxNumber = "01.234.567.8",
                            .contact = "PAK BUDI"};
    const CustomerLines customer = readCustomerLines(customerFirstLine(text), customerSecondLine(text));
    EXPECT_EQ(customer.code, "C-001");
    EXPECT_EQ(customer.name, "TOKO SUMBER REJEKI");
    EXPECT_DOUBLE_EQ(customer.creditLimit, 15000000.0);
    EXPECT_EQ(customer.note, "Disc D:   2.5%  M:  10%  H:   0%  0:  12.75%");
    EXPECT_EQ(customer.address, "JL. MERDEKA 17, MEDAN");
    EXPECT_EQ(customer.phone, "061-4567890");
    EXPECT_EQ(customer.taxNumber, "01.234.567.8");
    EXPECT_EQ(customer.contact, "PAK BUDI");

    // Without a second line the address, telephone, tax number and contact stay empty.
    const CustomerLines last = readCustomerLines(customerFirstLine(text), "");
    EXPECT_EQ(last.code, "C-001");
    EXPECT_TRUE(last.address.empty() && last.phone.empty() && last.taxNumber.empty() && last.contact.empty());
}

}  // namespace
}  // namespace tarvo::converters
