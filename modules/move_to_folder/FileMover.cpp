#include "modules/move_to_folder/FileMover.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brenmark::movetofolder {

using sdk::quoted;

std::vector<std::string> createFolders(const std::string &folder)
{
    std::vector<std::string> created;
    std::string partial;
    partial.reserve(folder.size());
    for (std::size_t i = 0; i <= folder.size(); ++i) {
        if (i < folder.size() && folder[i] != '/') {
            partial.push_back(folder[i]);
            continue;
        }
        if (!partial.empty() && partial != "/") {
            if (::mkdir(partial.c_str(), 0777) == 0) {
                created.push_back(partial);
            } else if (errno != EEXIST) {
                const int error = errno;
                removeCreatedFolders(created);
                throw sdk::ModuleError("Не удалось создать папку " + quoted(partial) + ": " + std::strerror(error) + ".");
            }
            struct stat status{};
            if (::stat(partial.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
                removeCreatedFolders(created);
                throw sdk::ModuleError(quoted(partial) + " существует, но это не папка.");
            }
        }
        if (i < folder.size())
            partial.push_back('/');
    }
    return created;
}

void removeCreatedFolders(const std::vector<std::string> &created)
{
    for (auto folder = created.rbegin(); folder != created.rend(); ++folder) {
        if (::rmdir(folder->c_str()) != 0)
            return;
    }
}

} // namespace brenmark::movetofolder
