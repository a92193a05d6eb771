// RebuildPreview over 100,000 rows with three shipped modules in the chain:
// a regular-expression replace, letter case and numbering.
#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/chain/TListData.h"
#include "main/core/filelist/FileEntry.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "modules/letter_case/CaseOptions.h"
#include "modules/numbering/NumberingOptions.h"
#include "modules/replace_text/ReplaceOptions.h"
#include "module_helper/Fields.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace brenmark;
using namespace brenmark::modules;

namespace {

class NullSink : public BatchSink
{
public:
    void setProgressMaximum(int) override {}
    void setProgressPosition(int) override {}
    void setStatusText(const QString &) override {}
};

double cpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

std::unique_ptr<ModuleLibrary> open(const char *file)
{
    std::string error;
    auto library = ModuleLibrary::open(std::string(BRENMARK_PLUGINS_DIR) + "/" + file, &error);
    if (!library) {
        std::fprintf(stderr, "%s: %s\n", file, error.c_str());
        std::exit(1);
    }
    return library;
}

// A row as a loaded template makes it: newOpt, then the stored bytes.
template<typename Options>
void appendRow(ActionChainModel &actions, ModuleLibrary &library, const char *file, const Options &options)
{
    auto record = std::make_unique<TListData>();
    record->Module = library.handle();
    record->ModuleFile = file;
    moduleFunction<BrenmarkNewOpt>(library.handle(), "newOpt")(&record->Options);
    std::memcpy(record->Options, &options, sizeof options);
    actions.appendAction(file, -1, true, std::move(record));
}

} // namespace

int main(int argc, char **argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    auto replace = open("replace_text.so");
    auto letterCase = open("letter_case.so");
    auto numbering = open("numbering.so");

    FileListModel files;
    ActionChainModel actions;
    NullSink sink;
    PreviewEngine engine(files, actions, sink, [] { return PreviewSettings {false, true}; });

    ReplaceOptions pattern;
    pattern.regularExpression = 1;
    sdk::setFieldText(pattern.find, "photo_(\\d+)");
    sdk::setFieldText(pattern.replacement, "Фото \\1");
    appendRow(actions, *replace, "replace_text.so", pattern);
    appendRow(actions, *letterCase, "letter_case.so", CaseOptions {});
    appendRow(actions, *numbering, "numbering.so", NumberingOptions {});

    std::vector<std::string> texts;
    static const char *kExtensions[] = {".jpg", ".png", ".txt", ".pdf", ".mp3", ".JPG"};
    for (int i = 0; i < rows; ++i) {
        char path[96];
        std::snprintf(path, sizeof path, "/home/user/pictures/folder_%04d/photo_%07d%s", i / 1000, i,
                      kExtensions[i % 6]);
        texts.push_back(FileEntry::listRow(path));
    }
    files.appendRowTexts(texts);

    std::vector<double> wall;
    std::vector<double> cpu;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        engine.RebuildPreview();
        wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        cpu.push_back(cpuSeconds() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("rebuild rows=%d actions=replace(regex),letter_case,numbering icons=on "
                "best=%.3fs median=%.3fs cpu-median=%.3fs\n  last row: %s\n",
                rows, wall[0], wall[2], cpu[2], files.rowText(rows - 1).c_str());
    return 0;
}
