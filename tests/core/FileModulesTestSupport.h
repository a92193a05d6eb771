// Real files for the tests of the extension, date, transliteration and move
// modules: private folders on a chosen file system (/tmp is ext4, /dev/shm
// tmpfs) and whole-file reads and writes.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace filemodulestest {

// A fresh folder under `base`, removed with everything in it at the end.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const char *base = "/tmp")
    {
        std::string pattern = std::string(base) + "/brenmark-files-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~TemporaryFolder()
    {
        if (!m_path.empty())
            std::filesystem::remove_all(m_path);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    bool valid() const { return !m_path.empty(); }
    std::string file(const std::string &name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Also for names too long for std::filesystem, which throws on them.
inline bool exists(const std::string &path)
{
    return access(path.c_str(), F_OK) == 0;
}

} // namespace filemodulestest
