// Small music files made at test time: bare containers built here, tags
// written into them by TagLib, so no media file is kept in the repository.
#pragma once

#include <taglib/fileref.h>
#include <taglib/tfile.h>
#include <taglib/tpropertymap.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <string>

namespace taggedmedia {

// Four silent MPEG-1 Layer III frames, 128 kbit/s, 44.1 kHz.
inline std::string bareMp3()
{
    std::string frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x64);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += frame;
    return bytes;
}

// "fLaC" and the one block every FLAC stream has: STREAMINFO, 44.1 kHz mono
// 16 bit, no samples.
inline std::string bareFlac()
{
    std::string bytes = "fLaC";
    bytes += std::string("\x80\x00\x00\x22", 4); // last block, STREAMINFO, 34 bytes
    bytes += std::string("\x10\x00\x10\x00", 4); // block size 4096..4096
    bytes += std::string(6, '\0');               // frame sizes unknown
    // 20 bits sample rate (44100), 3 bits channels - 1, 5 bits bits - 1, 36 bits samples.
    bytes += std::string("\x0A\xC4\x40\xF0\x00\x00\x00\x00", 8);
    bytes += std::string(16, '\0'); // MD5 of nothing known
    return bytes;
}

// One Ogg page holding `packet` whole.
inline std::string oggPage(const std::string &packet, uint8_t flags, uint64_t granule, uint32_t sequence)
{
    std::string page = "OggS";
    page.push_back('\0');
    page.push_back(char(flags));
    for (int i = 0; i < 8; ++i)
        page.push_back(char(granule >> (8 * i)));
    page += std::string("\x42\x4D\x00\x00", 4); // stream serial number
    for (int i = 0; i < 4; ++i)
        page.push_back(char(sequence >> (8 * i)));
    page += std::string(4, '\0'); // checksum, filled in below
    std::string lacing;
    std::size_t left = packet.size();
    while (left >= 255) {
        lacing.push_back(char(255));
        left -= 255;
    }
    lacing.push_back(char(left));
    page.push_back(char(lacing.size()));
    page += lacing;
    page += packet;
    uint32_t crc = 0;
    for (const char c : page) {
        crc ^= uint32_t(uint8_t(c)) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    for (int i = 0; i < 4; ++i)
        page[22 + i] = char(crc >> (8 * i));
    return page;
}

// An Ogg Opus stream: identification header, empty comment header, one
// 20 ms packet of silence.
inline std::string bareOggOpus()
{
    std::string head = "OpusHead";
    head += std::string("\x01\x01\x38\x01\x80\xBB\x00\x00\x00\x00\x00", 11); // mono, pre-skip 312, 48 kHz
    std::string tags = "OpusTags";
    tags += std::string("\x04\x00\x00\x00test\x00\x00\x00\x00", 12);
    const std::string audio("\xF8\xFF\xFE", 3);
    return oggPage(head, 0x02, 0, 0) + oggPage(tags, 0x00, 0, 1) + oggPage(audio, 0x04, 312 + 960, 2);
}

// Writes `bytes` to `path`, then `tags` (TagLib property names: ARTIST,
// ALBUMARTIST, TRACKNUMBER...) into it; false when TagLib refused the file.
inline bool writeTaggedFile(const std::string &path, const std::string &bytes,
                            const std::map<std::string, std::string> &tags)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        if (!out.flush())
            return false;
    }
    if (tags.empty())
        return true;
    TagLib::FileRef file(path.c_str(), false);
    if (file.isNull() || !file.file()->isValid())
        return false;
    TagLib::PropertyMap properties;
    for (const auto &[key, value] : tags)
        properties.insert(TagLib::String(key, TagLib::String::UTF8),
                          TagLib::StringList(TagLib::String(value, TagLib::String::UTF8)));
    const TagLib::PropertyMap refused = file.file()->setProperties(properties);
    return refused.isEmpty() && file.save();
}

} // namespace taggedmedia
