#pragma once

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

namespace brenmark::sdk {

// What a module derives from an options block once (a compiled regular
// expression, a lookup table), kept outside the block since the block holds
// plain bytes only. The host may overwrite a block's bytes behind the
// module's back (loading a template), so each entry keeps a copy of the bytes
// it was made from and is made again when they differ.
template<typename Options, typename Prepared>
class PreparedCache
{
public:
    // `make(const Options&)` returns a Prepared; it runs only for a block not
    // seen before or whose bytes changed since.
    template<typename Make>
    const Prepared &get(const Options &options, Make &&make)
    {
        if (m_last < m_entries.size() && m_entries[m_last].block == &options) {
            Entry &entry = m_entries[m_last];
            if (std::memcmp(&entry.bytes, &options, sizeof(Options)) != 0)
                refresh(entry, options, make);
            return *entry.prepared;
        }
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].block == &options) {
                m_last = i;
                return get(options, make);
            }
        }
        if (m_entries.size() >= kMaxEntries)
            m_entries.clear();
        Prepared prepared = make(options);
        m_entries.push_back(Entry{&options, options, std::move(prepared)});
        m_last = m_entries.size() - 1;
        return *m_entries.back().prepared;
    }

    // Drops the entry of a block that is being freed.
    void forget(const void *block)
    {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].block == block) {
                m_entries.erase(m_entries.begin() + std::ptrdiff_t(i));
                m_last = m_entries.size();
                return;
            }
        }
    }

private:
    // Blocks the host dropped without freeOpt (a template replaced the chain)
    // stay here; a bound keeps them from piling up.
    static constexpr std::size_t kMaxEntries = 256;

    struct Entry
    {
        const void *block;
        Options bytes;
        std::optional<Prepared> prepared;
    };

    template<typename Make>
    void refresh(Entry &entry, const Options &options, Make &make)
    {
        entry.prepared.emplace(make(options));
        std::memcpy(&entry.bytes, &options, sizeof(Options));
    }

    std::vector<Entry> m_entries;
    std::size_t m_last = 0;
};

} // namespace brenmark::sdk
