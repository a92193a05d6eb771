#pragma once

#include <cstdint>
#include <type_traits>

namespace brenmark::musictags {

// What a file gets when a tag its pattern needs is missing.
enum class TagFallback : uint8_t {
    KeepName = 0, // the old name stays
    Text = 1,     // the fallback text replaces the name; the extension stays
};

inline constexpr uint16_t kOptionsVersion = 1;

// The options block: plain data, copied byte for byte into templates.
struct MusicTagsOptions {
    uint16_t version = kOptionsVersion;
    TagFallback fallback = TagFallback::KeepName;
    uint8_t trackWidth = 2;     // digits of [track] at least, 1..4, leading zeros
    uint8_t lowerExtension = 1; // the extension in lower case ("MP3" → "mp3")
    char pattern[192] = "[artist] - [title]"; // UTF-8, zero-padded
    char fallbackText[96] = "";               // UTF-8, zero-padded
};

static_assert(std::is_trivially_copyable_v<MusicTagsOptions>);
static_assert(sizeof(MusicTagsOptions) == 294);

} // namespace brenmark::musictags
