#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace brenmark::sdk {

// The fixed texts of ModuleInfo. `version` ends in ".02" (at most 9 bytes);
// the others are cut at 50 bytes on a character boundary (a Cyrillic letter
// takes two bytes).
struct ModuleDescription
{
    const char *version;
    const char *name;
    const char *author;
    const char *action; // "Category\\Action": leading segments become submenus
    const char *mask;
};

// One process call. All views are valid during the call only.
struct FileRequest
{
    std::string_view path;       // the running name: full path
    std::string_view folder;     // path up to and including the last '/', may be empty
    std::string_view fileName;   // path after the last '/'
    std::string_view actualPath; // where the file lies now
    int32_t fileIndex = 0;       // 0-based position in the host's list
    bool preview = true;
    void *progressBar = nullptr; // the host's QProgressBar, or null without a window
    int32_t fileCount = 0;       // files in the host's list; 0 when the host did not say
};

// What the exports need from a module, with the options block untyped.
// RenamingModule<Options> implements it for a typed block; derive from this
// directly only for a module that is not a renaming action.
class ModuleBase
{
public:
    virtual ~ModuleBase() = default;

    virtual ModuleDescription description() const = 0;
    virtual std::size_t optionsSize() const = 0;
    // Writes the default options into a zero-filled block of at least optionsSize bytes.
    virtual void initOptions(void *block) const = 0;
    // Brings a block written by an earlier version up to date, in place;
    // throws ModuleError for a block it cannot read.
    virtual void checkOptions(void *block) const = 0;
    virtual std::string caption(const void *block) const = 0;
    // Shows the options dialog over `parent` (never null); returns true when
    // the user accepted, having changed the block in place.
    virtual bool editOptions(QWidget *parent, void *block, bool isNew) = 0;
    // Appends the file's new full path to `out` (empty on entry).
    virtual void computePath(const void *block, const FileRequest &request, std::string &out) = 0;
    // Run mode: does the work that moves the file from request.actualPath to
    // `newPath`. The default renames it without replacing anything.
    virtual void perform(const void *block, const FileRequest &request, const std::string &newPath);
    // Called before a block is freed, to drop what was derived from it.
    virtual void optionsFreed(const void *block) { (void)block; }

    // Captions of up to 10 command buttons (20 bytes each at most).
    virtual std::vector<std::string> buttons() const { return {}; }
    virtual void clickButton(int button) { (void)button; }
    // The program directory (ending in '/') and the language file, given at loading.
    virtual void setProgramDir(std::string_view directory) { (void)directory; }
    virtual void setLanguageFile(std::string_view path) { (void)path; }
    // Whether process refuses file names that are not valid UTF-8 (a module
    // that edits characters must; one that only moves files need not).
    virtual bool requiresUtf8Names() const { return true; }
};

} // namespace brenmark::sdk
