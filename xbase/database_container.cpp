#include "xbase/database_container.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "xbase/byte_order.h"
#include "xbase/file_names.h"
#include "xbase/table.h"

namespace tarvo::xbase {

namespace {

// Object types in the container's OBJECTTYPE field.
constexpr std::string_view kTableObject = "Table";
constexpr std::string_view kFieldObject = "Field";
// The property of a table object that holds the table's file name (relative to the container).
constexpr uint8_t kTablePathProperty = 0x01;

// A property memo is a run of entries: 4-byte length (the entry's whole size, little endian),
// 2 bytes of kind, 1 byte of property id, then the value (text ends with a NUL).
std::optional<std::string> propertyText(std::string_view properties, uint8_t id) {
    constexpr size_t kEntryHead = 7;
    size_t pos = 0;
    while (pos + kEntryHead <= properties.size()) {
        const uint32_t length = getLE32(reinterpret_cast<const unsigned char*>(properties.data() + pos));
        if (length < kEntryHead || length > properties.size() - pos) break;
        if (static_cast<uint8_t>(properties[pos + 6]) == id) {
            std::string_view value = properties.substr(pos + kEntryHead, length - kEntryHead);
            return std::string(value.substr(0, value.find('\0')));
        }
        pos += length;
    }
    return std::nullopt;
}

std::string trimmed(const Value& value) {
    std::string text = value.isCharacter() ? value.text() : std::string();
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The last part of a path written with either separator.
std::string_view fileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

struct ContainerObject {
    int32_t parent = 0;
    std::string type;
    std::string name;
    std::string properties;
};

}  // namespace

bool isDatabaseContainer(const std::filesystem::path& path) {
    return equalsIgnoreCase(path.extension().string(), ".dbc");
}

std::vector<std::string> containerFieldNames(const std::filesystem::path& container, const std::filesystem::path& table) {
    auto objects = Table::open(container, OpenOptions{false, true, Driver::DBFCDX});
    const int idField = objects->fieldPos("OBJECTID");
    const int parentField = objects->fieldPos("PARENTID");
    const int typeField = objects->fieldPos("OBJECTTYPE");
    const int nameField = objects->fieldPos("OBJECTNAME");
    const int propertyField = objects->fieldPos("PROPERTY");
    if (!idField || !parentField || !typeField || !nameField || !propertyField) return {};

    // Objects by id, so that fields come in the order they were added to their table.
    std::map<int32_t, ContainerObject> byId;
    objects->scanRecords([&](uint32_t, std::string_view image) {
        if (image.empty() || image[0] == '*') return;
        const std::string type = trimmed(objects->decodeField(image, typeField));
        if (type != kTableObject && type != kFieldObject) return;
        ContainerObject object;
        object.parent = static_cast<int32_t>(objects->decodeField(image, parentField).number());
        object.type = type;
        object.name = trimmed(objects->decodeField(image, nameField));
        if (type == kTableObject) object.properties = objects->decodeField(image, propertyField).text();
        byId[static_cast<int32_t>(objects->decodeField(image, idField).number())] = std::move(object);
    });

    const std::string fileName = table.filename().string();
    const std::string stem = table.stem().string();
    std::optional<int32_t> tableId;
    for (const auto& [id, object] : byId) {
        if (object.type != kTableObject) continue;
        const std::optional<std::string> path = propertyText(object.properties, kTablePathProperty);
        if (path && equalsIgnoreCase(fileNameOf(*path), fileName)) {
            tableId = id;
            break;
        }
        if (!tableId && equalsIgnoreCase(object.name, stem)) tableId = id;
    }
    std::vector<std::string> names;
    if (!tableId) return names;
    for (const auto& [id, object] : byId)
        if (object.type == kFieldObject && object.parent == *tableId) names.push_back(object.name);
    return names;
}

}  // namespace tarvo::xbase
