#pragma once

#include "main/core/filelist/FileListSort.h"
#include "main/core/filelist/FolderWalk.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace brenmark {

// Bad arguments; the text is shown to the user before the usage hint.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// What the user asked brenmark-batch to do. Paths are the argument bytes as given.
struct CommandLine
{
    bool help = false;
    bool version = false;
    bool dryRun = false;
    // Return the files of the last run instead (with dryRun: only list them).
    bool undo = false;
    bool ignoreMissing = false;
    // Empty: the template that options.ini records as the one to restore.
    std::string templateArgument;
    // Set when the files come from a list file; otherwise `files` holds them.
    std::string listFile;
    bool hasListFile = false;
    std::vector<std::string> files;
    // --recursive: folders among the files stand for the files under them.
    bool recursive = false;
    FolderWalkOptions walk;
    // --sort: the list is sorted before the chain sees it.
    bool sorted = false;
    SortOrder sort;
};

// Parses argv[1..]. Accepts "--option value" and "--option=value"; "--" ends
// the options, so a file named "--dry-run" can still be given. Raises UsageError.
CommandLine parseCommandLine(const std::vector<std::string> &arguments);

// A --template argument names a file (rather than a template of the program's
// Templates folder) when it ends in ".ptp" or holds a "/".
bool isTemplateFile(const std::string &templateArgument);

// The text printed by --help.
std::string usageText();

} // namespace brenmark
