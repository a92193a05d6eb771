// Times the settings file and template operations a user waits for: OK in
// the options dialog (SaveSettings, one atomic file replacement per key),
// opening the dialog (LoadSettings), and writing and reading a long chain.
// Arguments: [folder] (default: the system's temporary folder).
#include "main/core/templates/TemplateFormat.h"
#include "options/core/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

using namespace brenmark;

namespace {

double bestMilliseconds(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/persistence-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/persistence-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a folder for the benchmark\n");
        return 1;
    }
    const QString ini = dir.filePath(QStringLiteral("options.ini"));
    Settings settings;
    for (int i = 0; i < 20; ++i)
        settings.disabledModules << QStringLiteral("module%1.so").arg(i);

    SaveSettings(ini, settings);
    std::printf("SaveSettings, 20 disabled modules:   %8.2f ms\n", bestMilliseconds(10, [&] { SaveSettings(ini, settings); }));
    std::printf("LoadSettings:                         %8.3f ms\n", bestMilliseconds(50, [&] {
                    if (!(LoadSettings(ini) == settings))
                        std::abort();
                }));

    std::vector<TemplateAction> actions(1000);
    for (std::size_t i = 0; i < actions.size(); ++i)
        actions[i] = {"module" + std::to_string(i % 20) + ".so", "Действие " + std::to_string(i),
                      std::vector<std::uint8_t>(264, static_cast<std::uint8_t>(i))};
    const QString path = dir.filePath(QStringLiteral("long.ptp"));
    std::printf("write 1000-action template:           %8.2f ms\n",
                bestMilliseconds(10, [&] { TemplateFormat::writeFile(path, actions); }));
    std::printf("read 1000-action template:            %8.2f ms\n", bestMilliseconds(10, [&] {
                    if (TemplateFormat::readFile(path) != actions)
                        std::abort();
                }));
    return 0;
}
