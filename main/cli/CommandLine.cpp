#include "main/cli/CommandLine.h"

namespace brenmark {
namespace {

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Takes the value of an option given as "--name=value" or as "--name value".
std::string optionValue(const std::vector<std::string> &arguments, size_t &index, const std::string &name)
{
    const std::string &argument = arguments[index];
    if (argument.size() > name.size() && argument[name.size()] == '=')
        return argument.substr(name.size() + 1);
    if (index + 1 >= arguments.size())
        throw UsageError("после " + name + " нужно значение");
    return arguments[++index];
}

bool isOption(const std::string &argument, const std::string &name)
{
    return argument == name || startsWith(argument, name + "=");
}

SortKey sortKeyNamed(const std::string &name)
{
    if (name == "name")
        return SortKey::Name;
    if (name == "folder")
        return SortKey::FolderAndName;
    if (name == "date")
        return SortKey::ModificationTime;
    if (name == "size")
        return SortKey::Size;
    throw UsageError("неизвестный порядок сортировки «" + name + "»: name, folder, date или size");
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string> &arguments)
{
    CommandLine result;
    bool templateGiven = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (optionsEnded || argument == "-" || !startsWith(argument, "-")) {
            result.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            result.help = true;
        } else if (argument == "--version") {
            result.version = true;
        } else if (argument == "--dry-run" || argument == "-n") {
            result.dryRun = true;
        } else if (argument == "--undo") {
            result.undo = true;
        } else if (argument == "--ignore-missing") {
            result.ignoreMissing = true;
        } else if (argument == "--recursive" || argument == "-r") {
            result.recursive = true;
        } else if (argument == "--hidden") {
            result.walk.hidden = true;
        } else if (isOption(argument, "--sort")) {
            if (result.sorted)
                throw UsageError("--sort указан дважды");
            result.sort.key = sortKeyNamed(optionValue(arguments, i, "--sort"));
            result.sorted = true;
        } else if (argument == "--descending") {
            result.sort.descending = true;
        } else if (isOption(argument, "--template")) {
            if (templateGiven)
                throw UsageError("--template указан дважды");
            result.templateArgument = optionValue(arguments, i, "--template");
            if (result.templateArgument.empty())
                throw UsageError("пустое имя шаблона");
            templateGiven = true;
        } else if (isOption(argument, "--list")) {
            if (result.hasListFile)
                throw UsageError("--list указан дважды");
            result.listFile = optionValue(arguments, i, "--list");
            if (result.listFile.empty())
                throw UsageError("пустое имя файла списка");
            result.hasListFile = true;
        } else {
            throw UsageError("неизвестный параметр " + argument);
        }
    }
    if (result.help || result.version)
        return result;
    if (result.undo) {
        if (templateGiven || result.hasListFile || !result.files.empty() || result.ignoreMissing || result.recursive
            || result.sorted)
            throw UsageError("--undo отменяет последний запуск и не принимает ни файлов, ни шаблона");
        return result;
    }
    if (result.walk.hidden && !result.recursive)
        throw UsageError("--hidden действует только вместе с --recursive");
    if (result.sort.descending && !result.sorted)
        throw UsageError("--descending действует только вместе с --sort");
    if (result.hasListFile && !result.files.empty())
        throw UsageError("файлы указываются либо списком (--list), либо в командной строке, но не вместе");
    if (!result.hasListFile && result.files.empty())
        throw UsageError("не указаны файлы");
    return result;
}

bool isTemplateFile(const std::string &templateArgument)
{
    const std::string extension = ".ptp";
    return templateArgument.find('/') != std::string::npos
        || (templateArgument.size() > extension.size()
            && templateArgument.compare(templateArgument.size() - extension.size(), extension.size(), extension) == 0);
}

std::string usageText()
{
    return "Использование: brenmark-batch [--dry-run] [--template ИМЯ | --template ФАЙЛ.ptp]\n"
           "                      [--ignore-missing] [--recursive [--hidden]]\n"
           "                      [--sort name|folder|date|size [--descending]] (--list ФАЙЛ | ФАЙЛ...)\n"
           "       brenmark-batch --undo [--dry-run]\n"
           "Применяет цепочку действий шаблона Brenmark к файлам без окна.\n"
           "\n"
           "  -n, --dry-run        только показать новые пути (старый путь, табуляция, новый)\n"
           "                       и найти совпадения; файлы не меняются\n"
           "      --template ИМЯ   шаблон из папки Templates программы или файл .ptp;\n"
           "                       по умолчанию тот, что записан в options.ini (\"~autosave\")\n"
           "      --list ФАЙЛ      взять файлы из списка: один путь в строке\n"
           "      --ignore-missing выполнить шаблон без действий ненайденных модулей\n"
           "  -r, --recursive      вместо папки взять файлы в ней и во всех её подпапках\n"
           "      --hidden         с --recursive: и скрытые файлы и папки (имя с точки)\n"
           "      --sort ПОРЯДОК   упорядочить список: name (по имени), folder (по папке\n"
           "                       и имени), date (по дате изменения), size (по размеру)\n"
           "      --descending     с --sort: по убыванию\n"
           "      --undo           вернуть файлы последнего запуска (окна или brenmark-batch)\n"
           "                       на прежние места; с --dry-run только показать,\n"
           "                       что вернётся (текущий путь, табуляция, прежний)\n"
           "  -h, --help           эта справка\n"
           "      --version        версия программы\n"
           "\n"
           "Коды выхода: 0 всё выполнено, 1 были ошибки модулей (--undo: не все файлы возвращены),\n"
           "2 ошибка параметров или шаблона,\n"
           "3 совпадения путей при --dry-run, 130 прервано (SIGINT, SIGTERM).\n";
}

} // namespace brenmark
