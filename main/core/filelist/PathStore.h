#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brenmark {

// The bytes of many paths back to back in one buffer, so that a million rows
// of the file list cost a few large allocations instead of two strings each.
// A path is known by where it starts and its length. Paths are only added;
// the store never learns which ones are still wanted, so whoever holds the
// places drops the others by copying the wanted ones into a fresh store.
class PathStore
{
public:
    // The place of `path` in the store. Throws std::length_error for a path
    // whose length does not fit a place.
    std::uint64_t add(std::string_view path)
    {
        if (path.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("Слишком длинный путь");
        const std::uint64_t offset = m_bytes.size();
        m_bytes.append(path);
        return offset;
    }

    // Valid until the next add.
    std::string_view path(std::uint64_t offset, std::uint32_t length) const
    {
        return std::string_view(m_bytes).substr(offset, length);
    }

    size_t size() const { return m_bytes.size(); }
    // Whether copying the `used` bytes into a fresh store is worth it: only
    // once the unused bytes are at least as many (copying costs as much as
    // the bytes kept), and not for a few bytes.
    bool worthCopying(size_t used) const
    {
        constexpr size_t kSlack = 1 << 20;
        return m_bytes.size() - used > std::max(used, kSlack);
    }
    void reserve(size_t bytes) { m_bytes.reserve(bytes); }

private:
    std::string m_bytes;
};

} // namespace brenmark
