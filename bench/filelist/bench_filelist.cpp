// Sorting the file list and adding a folder tree.
//
//   bench_filelist sort ROWS          sort ROWS rows (shuffled) by name and by folder and name
//   bench_filelist prepare DIR FILES  create FILES empty files in a tree under DIR
//   bench_filelist addtree DIR        add every file under DIR as "Добавить папку" does
//                                     (walk and add rule), then sort them by date and by size
//   bench_filelist cleanup DIR        remove what prepare made
#include "main/core/filelist/FileEntry.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FileListSort.h"
#include "main/core/filelist/FolderWalk.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace brenmark;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// CPU time of this process: the machine is shared, so wall time includes
// waiting for a core.
double cpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct Timing
{
    double wall;
    double cpu;
};

template <typename Work>
Timing measure(Work work)
{
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds();
    work();
    return {seconds(start), cpuSeconds() - cpuStart};
}

// About 50 bytes, names that only natural order sorts right, 1000 files per folder.
std::string benchPath(int i)
{
    static const char *kExtensions[] = {".jpg", ".png", ".txt", ".pdf", ".mp3", ".JPG"};
    char path[96];
    std::snprintf(path, sizeof path, "/home/user/pictures/folder_%d/Photo %d%s", i / 1000, i % 1000 * 7 + i / 1000,
                  kExtensions[i % 6]);
    return path;
}

void shuffle(FileListModel &files, std::mt19937 &random)
{
    std::vector<std::uint32_t> order(size_t(files.count()));
    std::iota(order.begin(), order.end(), 0u);
    std::shuffle(order.begin(), order.end(), random);
    files.reorderRows(order);
}

int sortRows(int rows)
{
    FileListModel files;
    {
        std::vector<std::string> texts;
        texts.reserve(size_t(rows));
        for (int i = 0; i < rows; ++i)
            texts.push_back(FileEntry::fullRow(0, benchPath(i), benchPath(i)));
        files.appendRowTexts(texts);
    }
    std::mt19937 random(7);
    const struct
    {
        const char *name;
        SortOrder order;
    } keys[] = {{"name", {SortKey::Name, false}},
                {"name, descending", {SortKey::Name, true}},
                {"folder and name", {SortKey::FolderAndName, false}}};
    for (const auto &key : keys) {
        std::vector<double> walls;
        std::vector<double> cpus;
        for (int round = 0; round < 5; ++round) {
            shuffle(files, random);
            const Timing timing = measure([&] { sortFileList(files, key.order); });
            walls.push_back(timing.wall);
            cpus.push_back(timing.cpu);
        }
        std::sort(walls.begin(), walls.end());
        std::sort(cpus.begin(), cpus.end());
        std::printf("sort rows=%d by %s: median %.3fs (cpu %.3fs), best %.3fs; first row %s\n", rows, key.name,
                    walls[2], cpus[2], walls[0], std::string(files.currentPath(0)).c_str());
    }
    return 0;
}

// Ten folders of ten subfolders, each subfolder with an equal share of the files.
int prepare(const std::string &root, int count)
{
    const auto start = Clock::now();
    const int perFolder = std::max(1, count / 100);
    for (int i = 0; i < count; ++i) {
        const int folder = i / perFolder;
        const std::string dir = root + "/top_" + std::to_string(folder / 10) + "/sub_" + std::to_string(folder % 10);
        if (i % perFolder == 0)
            std::filesystem::create_directories(dir);
        const std::string path = dir + "/IMG_" + std::to_string(i) + ".jpg";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            return 1;
        }
        ::close(fd);
    }
    std::printf("prepared %d files under %s in %.1fs\n", count, root.c_str(), seconds(start));
    return 0;
}

int addTree(const std::string &root)
{
    FileListModel files;
    int added = 0;
    std::vector<std::string> paths;
    const Timing walk = measure([&] { paths = expandFolders({root}, {true, false}); });
    const Timing add = measure([&] { added = files.appendDialogFiles(paths); });
    std::printf("addtree files=%d walk %.3fs (cpu %.3fs) + add rule %.3fs (cpu %.3fs) = %.3fs\n", added, walk.wall,
                walk.cpu, add.wall, add.cpu, walk.wall + add.wall);
    const Timing byDate = measure([&] { sortFileList(files, {SortKey::ModificationTime, false}); });
    const Timing bySize = measure([&] { sortFileList(files, {SortKey::Size, true}); });
    std::printf("sort files=%d by date %.3fs (cpu %.3fs), by size %.3fs (cpu %.3fs)\n", added, byDate.wall,
                byDate.cpu, bySize.wall, bySize.cpu);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "sort" && argc == 3)
        return sortRows(std::atoi(argv[2]));
    if (mode == "prepare" && argc == 4)
        return prepare(argv[2], std::atoi(argv[3]));
    if (mode == "addtree" && argc == 3)
        return addTree(argv[2]);
    if (mode == "cleanup" && argc == 3) {
        std::filesystem::remove_all(argv[2]);
        return 0;
    }
    std::fprintf(stderr, "usage: see the head of bench_filelist.cpp\n");
    return 2;
}
