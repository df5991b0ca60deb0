// One hash of the keys that places are looked up by, the same on every platform. Indexes that
// keep only hashes answer "maybe" for a hash two keys share; their users settle that case exactly.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// FNV-1a, which can be carried on byte by byte: the hash of every start of a text comes in one
// walk over it.
constexpr std::uint64_t kKeyHashStart = 14695981039346656037ull;
inline std::uint64_t KeyHashStep(std::uint64_t hash, char c) {
    return (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
}

inline std::uint64_t KeyHash(std::string_view key) {
    std::uint64_t hash = kKeyHashStart;
    for (const char c : key) {
        hash = KeyHashStep(hash, c);
    }
    return hash;
}

// For hashed containers of hashes.
struct SameHash {
    std::size_t operator()(std::uint64_t hash) const { return static_cast<std::size_t>(hash); }
};

}  // namespace platform
