#pragma once
// A registry in memory with the answers of advapi32: keys by path, values by
// name, refused keys, and a record of every call.

#include "about/Registry.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace dravelo::testing {

struct FakeValue {
    std::uint32_t type;
    std::string bytes; // as stored, with or without a terminating NUL
};

struct OpenCall {
    about::RegKey root;
    std::string key;
    std::uint32_t access;
};

class FakeRegistry : public about::Registry {
public:
    long openKey(about::RegKey root, const std::string& subKey, std::uint32_t, std::uint32_t access,
                 about::RegKey& key) override
    {
        opens.push_back({root, subKey, access});
        if (root != about::kHKeyLocalMachine || !keys.count(subKey))
            return about::kErrorFileNotFound;
        if (refused.count(subKey))
            return about::kErrorAccessDenied;
        key = nextHandle_++;
        open_[key] = subKey;
        return about::kErrorSuccess;
    }

    long queryValue(about::RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override
    {
        auto handle = open_.find(key);
        if (handle == open_.end())
            return about::kErrorInvalidHandle;
        queried.push_back(handle->second + "|" + valueName);
        const auto& values = keys[handle->second];
        auto value = values.find(valueName);
        if (value == values.end())
            return about::kErrorFileNotFound;
        type = value->second.type;
        const auto length = static_cast<std::uint32_t>(value->second.bytes.size());
        const std::uint32_t capacity = size;
        size = length;
        if (length > capacity)
            return about::kErrorMoreData;
        value->second.bytes.copy(reinterpret_cast<char*>(data), length);
        return about::kErrorSuccess;
    }

    long closeKey(about::RegKey key) override
    {
        ++closes;
        return open_.erase(key) ? about::kErrorSuccess : about::kErrorInvalidHandle;
    }

    std::size_t openHandles() const { return open_.size(); }

    // Key path -> value name -> value.
    std::map<std::string, std::map<std::string, FakeValue>> keys;
    std::set<std::string> refused;
    std::vector<OpenCall> opens;
    std::vector<std::string> queried; // "key|value"
    int closes = 0;

private:
    about::RegKey nextHandle_ = 0x1000;
    std::map<about::RegKey, std::string> open_;
};

} // namespace dravelo::testing
