// brenmark-open: how the desktop entry starts the program on files chosen in
// a file manager. The program takes one list file with a path on each line,
// so the paths go into a list file in a private temporary folder, the
// brenmark beside this launcher is started on it, and the folder is removed
// once the program has ended (it reads the list at start, but only its end
// is a moment this launcher can observe).

#include "main/core/modulehost/ProgramDirectory.h"
#include "options/core/NameBytes.h"

#include <QApplication>
#include <QMessageBox>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// A line feed or a carriage return would split the name in the list file,
// which ends lines at either.
bool hasLineBreak(const char *path)
{
    return std::strpbrk(path, "\n\r") != nullptr;
}

std::string refusalText(const std::vector<const char *> &refused)
{
    std::string text = refused.size() == 1
        ? "Этот файл не открыт: в его имени есть перевод строки, а список файлов для Brenmark хранит по имени в строке:\n"
        : "Эти файлы не открыты: в их именах есть перевод строки, а список файлов для Brenmark хранит по имени в строке:\n";
    for (const char *path : refused) {
        std::string shown = path;
        for (size_t at = shown.find_first_of("\n\r"); at != std::string::npos; at = shown.find_first_of("\n\r", at))
            shown.replace(at, 1, shown[at] == '\n' ? "\\n" : "\\r");
        text += "«" + shown + "»\n";
    }
    return text;
}

// Standard error is lost when a file manager starts us, so a desktop session
// also gets a message box.
void tellRefused(const char *self, const std::vector<const char *> &refused)
{
    const std::string text = refusalText(refused);
    std::fputs(text.c_str(), stderr);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return;
    // Only our own name reaches Qt: a file called "-style" is no option.
    int argc = 1;
    char *argv[] = {const_cast<char *>(self), nullptr};
    QApplication application(argc, argv);
    QMessageBox::warning(nullptr, QStringLiteral("Brenmark"),
                         brenmark::nameFromBytes(QByteArray::fromStdString(text)).trimmed());
}

int fail(const std::string &what)
{
    std::fprintf(stderr, "brenmark-open: %s: %s\n", what.c_str(), std::strerror(errno));
    return 127;
}

bool writeList(const std::string &path, const std::vector<const char *> &paths)
{
    FILE *file = std::fopen(path.c_str(), "wbx");
    if (!file)
        return false;
    bool written = true;
    for (const char *name : paths)
        written = written && std::fputs(name, file) >= 0 && std::fputc('\n', file) != EOF;
    // fclose flushes: its result is the last word on whether the bytes arrived.
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string program = brenmark::programDirectoryBytes() + "brenmark";
    if (argc < 2) {
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        return fail(program);
    }

    std::vector<const char *> paths;
    std::vector<const char *> refused;
    for (int i = 1; i < argc; ++i)
        (hasLineBreak(argv[i]) ? refused : paths).push_back(argv[i]);
    if (!refused.empty())
        tellRefused(argv[0], refused);
    if (paths.empty())
        return 1;

    const char *tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/brenmark-open-XXXXXX";
    if (!mkdtemp(folder.data()))
        return fail(folder);
    const std::string list = folder + "/files.txt";
    int status = 127;
    if (!writeList(list, paths)) {
        status = fail(list);
    } else if (const pid_t child = fork(); child == 0) {
        execl(program.c_str(), program.c_str(), list.c_str(), static_cast<char *>(nullptr));
        std::_Exit(fail(program));
    } else if (child < 0) {
        status = fail("fork");
    } else {
        int result = 0;
        while (waitpid(child, &result, 0) < 0 && errno == EINTR) {
        }
        status = WIFEXITED(result) ? WEXITSTATUS(result) : 128 + WTERMSIG(result);
    }
    unlink(list.c_str());
    rmdir(folder.c_str());
    return status;
}
