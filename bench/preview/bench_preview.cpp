// Preview and batch-run figures over large file lists.
//
//   bench_preview rebuild ROWS            RebuildPreview, 3 renaming actions, icons on
//   bench_preview prepare DIR FILES       create FILES empty files under DIR and DIR/list.txt
//   bench_preview addlist LIST            add the list file's files, then the first rebuild
//                                         (time and peak resident memory of this process)
//   bench_preview run DIR FILES           batch run through one renaming action vs rename(2)
//   bench_preview cleanup DIR             remove what prepare made
#include "main/core/batch/BatchRunner.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileIconList.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace brenmark;
using Clock = std::chrono::steady_clock;

namespace {

class NullSink : public BatchSink
{
public:
    void setProgressMaximum(int) override {}
    void setProgressPosition(int) override {}
    void setStatusText(const QString &) override {}
};

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

long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

std::unique_ptr<ModuleLibrary> loadRenameModule()
{
    std::string error;
    auto library = ModuleLibrary::open(BENCH_RENAME_MODULE, &error);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", BENCH_RENAME_MODULE, error.c_str());
        std::exit(1);
    }
    return library;
}

void addActions(ActionChainModel &actions, void *module, int count)
{
    for (int i = 0; i < count; ++i)
        actions.addAction(module, "fixture_batch_rename.so", 0);
}

// The preview as the window drives it: three renaming actions, icons on.
struct PreviewChain
{
    PreviewChain() { addActions(actions, module->handle(), 3); }

    std::unique_ptr<ModuleLibrary> module = loadRenameModule();
    FileListModel files;
    ActionChainModel actions;
    NullSink sink;
    PreviewEngine engine {files, actions, sink, [] { return PreviewSettings {false, true, true}; }};
};

// About 50 bytes, a few extensions, 1000 files per folder.
std::string benchPath(const std::string &root, int i)
{
    static const char *kExtensions[] = {".jpg", ".png", ".txt", ".pdf", ".mp3", ".JPG"};
    char name[96];
    std::snprintf(name, sizeof name, "/folder_%04d/photo_%07d%s", i / 1000, i, kExtensions[i % 6]);
    return root + name;
}

int rebuild(int rows)
{
    PreviewChain chain;
    std::vector<std::string> texts;
    texts.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i)
        texts.push_back(FileEntry::listRow(benchPath("/home/user/pictures", i)));
    chain.files.appendRowTexts(texts);
    texts.clear();
    texts.shrink_to_fit();

    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int round = 0; round < 5; ++round) {
        auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        chain.engine.RebuildPreview();
        times.push_back(seconds(start));
        cpuTimes.push_back(cpuSeconds() - cpuStart);
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("rebuild rows=%d actions=3 icons=on first=%.3fs median=%.3fs best=%.3fs cpu-median=%.3fs\n", rows,
                first, times[2], times[0], cpuTimes[2]);
    std::printf("  MIME database queries: %d; last row: %s\n", FileIconList::instance().mimeQueries(),
                chain.files.rowText(rows - 1).c_str());
    return 0;
}

int prepare(const std::string &root, int count)
{
    auto start = Clock::now();
    std::filesystem::create_directories(root);
    std::ofstream list(root + "/list.txt", std::ios::binary);
    for (int i = 0; i < count; ++i) {
        std::string path = benchPath(root, i);
        if (i % 1000 == 0)
            std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) {
            std::perror(path.c_str());
            return 1;
        }
        ::close(fd);
        list << path << '\n';
    }
    std::printf("prepared %d files under %s in %.1fs\n", count, root.c_str(), seconds(start));
    return 0;
}

int addList(const std::string &listFile)
{
    PreviewChain chain;
    const long baseKb = peakResidentKb();

    auto start = Clock::now();
    const double cpuStart = cpuSeconds();
    const int added = chain.files.appendListFile(listFile);
    const double addTime = seconds(start);
    const double addCpu = cpuSeconds() - cpuStart;
    auto rebuildStart = Clock::now();
    chain.engine.RebuildPreview();
    const double rebuildTime = seconds(rebuildStart);
    const double totalCpu = cpuSeconds() - cpuStart;
    std::printf("addlist files=%d add=%.3fs (cpu %.3fs) first-rebuild=%.3fs (cpu %.3fs) total=%.3fs (cpu %.3fs) "
                "peak-rss=%ld MB (before adding %ld MB)\n",
                added, addTime, addCpu, rebuildTime, totalCpu - addCpu, addTime + rebuildTime, totalCpu,
                peakResidentKb() / 1024, baseKb / 1024);
    return 0;
}

// Renames every file to "r_" + its name (or back); returns the seconds taken.
double renameAll(const std::vector<std::string> &paths, bool back)
{
    std::string target;
    auto start = Clock::now();
    for (const std::string &path : paths) {
        target = path;
        target.insert(target.rfind('/') + 1, "r_");
        const char *from = back ? target.c_str() : path.c_str();
        const char *to = back ? path.c_str() : target.c_str();
        if (::rename(from, to) != 0) {
            std::perror(from);
            std::exit(1);
        }
    }
    return seconds(start);
}

int run(const std::string &root, int count)
{
    auto module = loadRenameModule();
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(benchPath(root, i));

    // The plain loop of rename(2) over the same files before and after the
    // batch run; the faster of the two is the reference.
    double plain = renameAll(paths, false);
    renameAll(paths, true);

    FileListModel files;
    ActionChainModel actions;
    NullSink sink;
    BatchRunner runner(files, actions, sink);
    addActions(actions, module->handle(), 1);
    files.appendDialogFiles(paths);
    auto start = Clock::now();
    runner.run();
    const double batch = seconds(start);
    renameAll(paths, true);

    plain = std::min(plain, renameAll(paths, false));
    renameAll(paths, true);
    std::printf("run files=%d batch=%.3fs rename(2)=%.3fs ratio=%.2f (headless)\n", count, batch, plain,
                batch / plain);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "rebuild" && argc == 3)
        return rebuild(std::atoi(argv[2]));
    if (mode == "prepare" && argc == 4)
        return prepare(argv[2], std::atoi(argv[3]));
    if (mode == "addlist" && argc == 3)
        return addList(argv[2]);
    if (mode == "run" && argc == 4)
        return run(argv[2], std::atoi(argv[3]));
    if (mode == "cleanup" && argc == 3) {
        std::filesystem::remove_all(argv[2]);
        return 0;
    }
    std::fprintf(stderr, "usage: see the head of bench_preview.cpp\n");
    return 2;
}
