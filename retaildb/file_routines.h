#pragma once
// File-level routines: existence and size tests, deletion with messages, the name part of a
// path, structure validation and table creation.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/user_interaction.h"
#include "xbase/value.h"

namespace tarvo::retaildb {

// One element of a structure array: normally {name, type, length, decimals}. An element that
// is not an array, or has fewer than four values, is representable so that it can be refused.
struct StructureElement {
    bool isArray = true;
    std::vector<xbase::Value> values;
};
using StructureArray = std::vector<StructureElement>;

StructureElement structureField(const std::string& name, const std::string& type, int length, int decimals);

bool VOFILE(const std::string& path);
uint64_t VOFILESIZE(const std::string& path);
bool VOFErase(ui::Owner owner, const std::string& path);
bool VOFERASEEX(ui::Owner owner, const std::string& path);
std::string VORETFILENAME(const std::string& path);
bool VOVALIDDBSTRUCT(ui::Owner owner, const std::string& tableName, const StructureArray& structure);
bool VOCreate(ui::Owner owner, const std::string& path, const StructureArray& structure);
// Adds an ascending, non-unique tag over every record of the current work area to the index
// file (created when missing), keeping the open orders. Always true; a failed creation is silent.
bool VOCREATEORDER(ui::Owner owner, const std::string& keyExpression, const std::string& tagName,
                   const std::string& indexPath);

// The wait between two deletion attempts of VOFERASEEX (500 ms); tests shorten it.
void setDeletionRetryPause(std::function<void(std::chrono::milliseconds)> pause);

}  // namespace tarvo::retaildb
