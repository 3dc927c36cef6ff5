#pragma once
// The rows of S_TABLID: each holds the last identifier given in one retail table (TABLEIDUPDATE).

#include <cstdint>

namespace tarvo::retaildb {

inline constexpr uint32_t kRegionsRow = 2;                 // S_DAERAH
inline constexpr uint32_t kItemGroupsRow = 9;              // S_GRPSTK
inline constexpr uint32_t kSecondItemGroupsRow = 10;       // S_GRPST2
inline constexpr uint32_t kThirdItemGroupsRow = 11;        // S_GRPST3
inline constexpr uint32_t kCustomerGroupsRow = 13;         // S_GRPPEL
inline constexpr uint32_t kItemsRow = 15;                  // S_STOCK
inline constexpr uint32_t kSalesmenRow = 16;               // S_KARYAW
inline constexpr uint32_t kVendorsRow = 17;                // S_VENDOR
inline constexpr uint32_t kCustomersRow = 18;              // S_PELANG
inline constexpr uint32_t kCustomerExtrasRow = 19;         // S_PELEXT
inline constexpr uint32_t kPurchasesRow = 22;              // S_PEMBEL
inline constexpr uint32_t kSalesRow = 31;                  // S_PENJUA
inline constexpr uint32_t kGoodsReceivedRow = 39;          // S_STKMAS
inline constexpr uint32_t kGoodsIssuedRow = 40;            // S_STKKLR
inline constexpr uint32_t kSecondRegionsRow = 63;          // S_DAERA2
inline constexpr uint32_t kSecondCustomerGroupsRow = 64;   // S_GRPPE2
inline constexpr uint32_t kPriceGroupsRow = 70;            // S_GRPHJL

}  // namespace tarvo::retaildb
