#include "RuntimeLibReply.h"

#include "TextEncoding.h"

#include <json/json.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <new>

namespace {

constexpr int kSuccessCode = 200;
constexpr size_t kSha256Digits = 64;

// Values of the wrong type count as missing: JsonCpp's typed accessors would throw on them.
std::string StringMember(const Json::Value& object, const char* key)
{
    const Json::Value value = object.get(key, Json::Value());
    return value.isString() ? std::string(value.asCString()) : std::string();
}

int IntMember(const Json::Value& object, const char* key)
{
    const Json::Value value = object.get(key, 0);
    return value.isConvertibleTo(Json::intValue) ? value.asInt() : 0;
}

RuntimeLibEntry EntryFrom(const Json::Value& element)
{
    RuntimeLibEntry entry;
    if (!element.isObject())
        return entry;
    entry.name = Utf8ToWide(StringMember(element, "name"));
    entry.type = IntMember(element, "type");
    entry.url = Utf8ToWide(StringMember(element, "url"));
    entry.sha256 = NormalizeSha256(StringMember(element, "sha256"));
    return entry;
}

bool ParseObject(const std::string& text, Json::Value& root)
{
    try {
        Json::Reader reader;
        return reader.parse(text, root, true) && root.isObject();
    } catch (const std::exception&) {
        // The reader throws instead of failing when a reply nests too deeply.
        return false;
    }
}

bool ParseEntries(const std::string& text, std::vector<RuntimeLibEntry>& entries)
{
    Json::Value root;
    if (text.empty() || !ParseObject(text, root))
        return false;
    if (IntMember(root, "code") != kSuccessCode)
        return false;
    const Json::Value data = root.get("data", Json::Value());
    if (!data.isObject())
        return false;
    const Json::Value runtimeLibs = data.get("runtimelib", Json::Value());
    if (!runtimeLibs.isArray())
        return false;
    for (Json::ArrayIndex i = 0; i < runtimeLibs.size(); ++i)
        entries.push_back(EntryFrom(runtimeLibs[i]));
    return true;
}

}  // namespace

std::string NormalizeSha256(const std::string& digest)
{
    const bool valid = digest.size() == kSha256Digits &&
                       std::all_of(digest.begin(), digest.end(),
                                   [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    if (!valid)
        return {};
    std::string lower = digest;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

bool ParseRuntimeLibReply(const std::string& text, std::vector<RuntimeLibEntry>& list)
{
    try {
        std::vector<RuntimeLibEntry> entries;
        if (!ParseEntries(text, entries))
            return false;
        list.reserve(list.size() + entries.size());
        // Moving into reserved room cannot fail: the list gets every entry or none.
        std::move(entries.begin(), entries.end(), std::back_inserter(list));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
