// One hash of the keys that places are looked up by, the same on every platform. Indexes that
// keep only hashes answer "maybe" for a hash two keys share; their users settle that case exactly.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

inline std::uint64_t KeyHash(std::string_view key) {
    // FNV-1a
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

// For hashed containers of hashes.
struct SameHash {
    std::size_t operator()(std::uint64_t hash) const { return static_cast<std::size_t>(hash); }
};

}  // namespace platform
