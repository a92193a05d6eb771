#pragma once

#include "modules/date_time/FileDateReader.h"

#include <cstdint>
#include <type_traits>

namespace brenmark::movetofolder {

inline constexpr uint16_t kOptionsVersion = 1;
inline constexpr int kFolderSize = 1024;

// The options block: plain data, copied byte for byte into templates.
struct MoveOptions {
    uint16_t version = kOptionsVersion;
    datetime::DateSource dateSource = datetime::DateSource::Modified; // for %Y, %m, %d in the folder
    uint8_t reserved = 0;
    // UTF-8, zero-padded. Absolute ("/…") or relative to the file's folder;
    // may hold the date codes of formatDate.
    char folder[kFolderSize] = {};
};

static_assert(std::is_trivially_copyable_v<MoveOptions>);
static_assert(sizeof(MoveOptions) == 1028);

} // namespace brenmark::movetofolder
