#pragma once
// Words of the sample templates: the fixed groups, regions and price groups of a typical
// Indonesian shop, and builders of names, addresses and numbers that look like real ones.

#include <cstdint>
#include <string>
#include <vector>

#include "sampledata/random.h"

namespace tarvo::sampledata {

struct SampleCodeName {
    std::string code;
    std::string name;
};

struct SampleRegion {
    std::string code;
    std::string name;
    std::string areaCode;  // of its telephone numbers
};

// An item grouping with the kinds of product sold under it and the units they are counted in.
struct SampleProductGroup {
    std::string code;
    std::string name;
    std::vector<std::string> products;
    std::vector<std::string> baseUnits;
};

const std::vector<SampleRegion>& sampleRegions();                  // DAERAH
const std::vector<SampleCodeName>& sampleSecondRegions();          // DAERA2
const std::vector<SampleCodeName>& samplePriceGroups();            // GRPHJL
const std::vector<SampleCodeName>& sampleCustomerGroups();         // GRPPEL
const std::vector<SampleCodeName>& sampleSecondCustomerGroups();   // GRPPE2
const std::vector<SampleProductGroup>& sampleProductGroups();      // GRPSTK
const std::vector<SampleCodeName>& sampleBrands();                 // GRPST2
const std::vector<SampleCodeName>& sampleItemClasses();            // GRPST3

// A product name, different for every index: kind, brand, variant and size.
struct SampleProductName {
    size_t group = 0;  // index into sampleProductGroups()
    size_t brand = 0;  // index into sampleBrands()
    std::string product;  // the kind of product
    std::string name;
};
SampleProductName sampleProductName(uint32_t index);

// A company name ("PT Sinar Jaya"), different for every index.
std::string sampleCompanyName(uint32_t index);
// A shop name ("Toko Berkah"); shops may share names, as they do.
std::string sampleShopName(SampleRandom& random);
std::string samplePersonName(SampleRandom& random);
std::string sampleStreetAddress(SampleRandom& random, const std::string& city);
std::string sampleLandline(SampleRandom& random, const std::string& areaCode);
std::string sampleMobile(SampleRandom& random);
std::string sampleTaxNumber(SampleRandom& random);  // NPWP: 99.999.999.9-999.999
std::string sampleIdentityNumber(SampleRandom& random);  // sixteen digits
// Lower case letters and digits only, for e-mail and web addresses.
std::string sampleSlug(const std::string& name);
// Digits of value, left-padded with zeros to width.
std::string sampleDigits(uint64_t value, size_t width);

}  // namespace tarvo::sampledata
