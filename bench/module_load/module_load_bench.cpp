// What the load check adds to the start: the shipped modules loaded in
// brenmark-probe before the program loads them, started from a process that
// holds Qt Widgets as the window does.
#include "main/core/modulehost/LoadProbe.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : BRENMARK_PLUGINS_DIR;
    std::vector<std::string> paths;
    if (DIR *directory = opendir(folder.c_str())) {
        while (const dirent *entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name.size() > 3 && name.ends_with(".so"))
                paths.push_back(folder + "/" + name);
        }
        closedir(directory);
    }
    constexpr int kRounds = 21;
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<brenmark::LoadVerdict> verdicts = brenmark::probeLibraryLoading(paths, BRENMARK_PROBE_EXECUTABLE);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (std::any_of(verdicts.begin(), verdicts.end(), [](const auto &verdict) { return !verdict.safe; })) {
            std::fprintf(stderr, "a shipped module failed the load check\n");
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("load check of %zu modules: min %.2f ms, median %.2f ms, max %.2f ms (%d rounds)\n", paths.size(),
                times.front(), times[kRounds / 2], times.back(), kRounds);
    return 0;
}
