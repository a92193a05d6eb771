// A batch run through the main window against the least a program can do for
// the same work, in the same process and on the same kind of files.
//
// Every round makes two fresh sets of files on tmpfs and renames one with a
// plain loop of rename(2) (giving every file the prefix "new_") and the other
// through the shown window: the files added to its list, the shipped insert_text
// module's action loaded from a template, sbStartClick. Only the loop and
// sbStartClick are timed; making the files, adding them and the preview that
// follows are not. Wall and process CPU seconds, best of the rounds.
//
// Usage: bench_window_run [files] [rounds]   (QT_QPA_PLATFORM defaults to offscreen)
#include "about/ui/TfmAbout.h"
#include "information/ui/TfmInfo.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/ui/BrenmarkApplication.h"
#include "main/ui/TForm1.h"
#include "modules/insert_text/InsertOptions.h"
#include "options/ui/TfmOptions.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace brenmark;

namespace {

constexpr char kPrefix[] = "new_";
constexpr int kFilesPerFolder = 1000;

struct Figures
{
    double wall = std::numeric_limits<double>::infinity();
    double cpu = std::numeric_limits<double>::infinity();

    void keepBest(double roundWall, double roundCpu)
    {
        wall = std::min(wall, roundWall);
        cpu = std::min(cpu, roundCpu);
    }
};

double clockSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times `work`: wall seconds and CPU seconds of the whole process.
template <typename Work>
std::pair<double, double> timed(Work &&work)
{
    const double wallStart = clockSeconds(CLOCK_MONOTONIC);
    const double cpuStart = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
    work();
    return {clockSeconds(CLOCK_MONOTONIC) - wallStart, clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart};
}

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "bench_window_run: %s\n", message.c_str());
    std::exit(1);
}

// Empty files root/folder_NNNN/photo_NNNNNNN.jpg, 1000 to a folder; their paths.
std::vector<std::string> makeFiles(const std::string &root, int count)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(count));
    char path[512];
    for (int i = 0; i < count; ++i) {
        if (i % kFilesPerFolder == 0) {
            std::snprintf(path, sizeof path, "%s/folder_%04d", root.c_str(), i / kFilesPerFolder);
            std::filesystem::create_directories(path);
        }
        std::snprintf(path, sizeof path, "%s/folder_%04d/photo_%07d.jpg", root.c_str(), i / kFilesPerFolder, i);
        const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            fail(std::string("cannot create ") + path + ": " + std::strerror(errno));
        close(fd);
        paths.emplace_back(path);
    }
    return paths;
}

std::string renamedPath(const std::string &path)
{
    const std::size_t folder = path.rfind('/') + 1;
    return path.substr(0, folder) + kPrefix + path.substr(folder);
}

// Every file must have its new name, or the figures mean nothing.
void checkRenamed(const std::vector<std::string> &paths, const char *what)
{
    struct stat status{};
    for (const std::string &path : paths)
        if (stat(renamedPath(path).c_str(), &status) != 0 || stat(path.c_str(), &status) == 0)
            fail(std::string(what) + " left " + path + " without its new name");
}

// The baseline: one rename(2) per file, the target built in a fixed buffer.
void renameLoop(const std::vector<std::string> &paths)
{
    char target[4096];
    const std::size_t prefixLength = std::strlen(kPrefix);
    for (const std::string &path : paths) {
        const char *line = path.c_str();
        const char *slash = std::strrchr(line, '/');
        const std::size_t folder = slash ? static_cast<std::size_t>(slash - line) + 1 : 0;
        std::memcpy(target, line, folder);
        std::memcpy(target + folder, kPrefix, prefixLength);
        std::memcpy(target + folder + prefixLength, line + folder, path.size() - folder + 1);
        if (std::rename(line, target) != 0)
            fail(std::string("rename ") + line + ": " + std::strerror(errno));
    }
}

// A template of one insert_text action that puts kPrefix at the start of the name,
// in the layout the window's template load reads.
void writeTemplate(const QString &path)
{
    modules::InsertOptions options;
    std::strcpy(options.text, kPrefix);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail("cannot write " + path.toStdString());
    const auto writeInt = [&](int32_t value) { file.write(reinterpret_cast<const char *>(&value), sizeof value); };
    const auto writeText = [&](const QByteArray &text) {
        writeInt(static_cast<int32_t>(text.size() + 1));
        file.write(text.constData(), text.size() + 1);
    };
    writeInt(1);
    writeText("insert_text.so");
    writeText(QStringLiteral("Вставка").toUtf8());
    writeInt(static_cast<int32_t>(sizeof options));
    file.write(reinterpret_cast<const char *>(&options), sizeof options);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (count <= 0 || rounds <= 0)
        fail("usage: bench_window_run [files] [rounds]");

    BrenmarkApplication application(argc, argv);
    QStringList errors;
    BrenmarkApplication::setErrorPresenter([&](const QString &text) { errors << text; });

    char workTemplate[] = "/dev/shm/brenmark-bench-window-XXXXXX";
    if (!mkdtemp(workTemplate))
        fail(std::string("cannot make a folder in /dev/shm: ") + std::strerror(errno));
    const std::string work = workTemplate;
    const QString programDir = QString::fromStdString(work) + QStringLiteral("/program/");
    QDir().mkpath(programDir + QStringLiteral("Plugins"));
    QDir().mkpath(programDir + QStringLiteral("Templates"));
    if (!QFile::copy(QStringLiteral(BRENMARK_PLUGINS_DIR "/insert_text.so"), programDir + QStringLiteral("Plugins/insert_text.so")))
        fail("insert_text.so is not built");
    const QString templatePath = programDir + QStringLiteral("prefix.ptp");
    writeTemplate(templatePath);

    Figures loop;
    Figures window;
    {
        TForm1 form;
        TfmAbout about(&form);
        TfmOptions options(programDir + QStringLiteral("options.ini"), &form);
        TfmInfo info(&form);
        form.setDialogs(&about, &options, &info);
        form.setStartup(programDir, std::string());
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            fail("the window was not shown");
        form.cbExitOnFinal->setChecked(false);
        form.LoadTemplate(templatePath);
        if (form.chain().count() != 1 || !errors.isEmpty())
            fail("the template did not load: " + errors.join(QLatin1Char('\n')).toStdString());

        for (int round = 0; round < rounds; ++round) {
            const std::string root = work + "/round_" + std::to_string(round);
            const std::vector<std::string> loopFiles = makeFiles(root + "/loop", count);
            const std::vector<std::string> windowFiles = makeFiles(root + "/window", count);

            const auto [loopWall, loopCpu] = timed([&] { renameLoop(loopFiles); });
            checkRenamed(loopFiles, "the loop");

            if (form.files().appendDialogFiles(windowFiles) != count)
                fail("the list did not take every file");
            const auto [windowWall, windowCpu] = timed([&] { form.sbStartClick(); });
            if (!errors.isEmpty())
                fail("the run reported: " + errors.join(QLatin1Char('\n')).toStdString());
            if (form.files().count() != 0)
                fail("the run did not empty the list");
            checkRenamed(windowFiles, "the window's run");

            std::printf("round %d: loop %.3f s (CPU %.3f s), window %.3f s (CPU %.3f s), ratio %.2f\n", round + 1,
                        loopWall, loopCpu, windowWall, windowCpu, windowWall / loopWall);
            std::fflush(stdout);
            loop.keepBest(loopWall, loopCpu);
            window.keepBest(windowWall, windowCpu);
            std::filesystem::remove_all(root);
        }
    }
    std::filesystem::remove_all(work);

    std::printf("%d files, best of %d rounds\n", count, rounds);
    std::printf("rename(2) loop:      wall %.3f s  CPU %.3f s\n", loop.wall, loop.cpu);
    std::printf("window batch run:    wall %.3f s  CPU %.3f s\n", window.wall, window.cpu);
    const double ratio = window.wall / loop.wall;
    std::printf("ratio (wall): %.2f  ratio (CPU): %.2f  goal 1.3 or better: %s\n", ratio, window.cpu / loop.cpu,
                ratio <= 1.3 ? "met" : "missed");
    return 0;
}
