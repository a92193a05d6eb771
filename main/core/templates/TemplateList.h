#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <stdexcept>

namespace brenmark {

// The entries of cbProfile: "" first (the chain matches no saved template),
// then the name of every "*.ptp" file of `templatesDir` in the order the
// directory lists them (nothing sorted), ".ptp" cut off. Only files are
// listed, hidden ones included; ".PTP" is another extension here, since its
// name would not find the file again. A missing folder gives the empty entry
// alone. Names that are not UTF-8 are listed too, in the form of nameFromBytes.
QStringList FillTemplateList(const QString &templatesDir);

// The entry whose text is `name`: the one spelled exactly so when there is
// one, else the first equal without regard to letter case; -1 when none.
int findTemplateEntry(const QStringList &entries, const QString &name);

// Why `name` cannot name a template file, or an empty text when it can: a
// name must stay inside the templates folder and survive options.ini, so "/",
// a line break, "." and ".." are refused.
QString templateNameProblem(const QString &name);

// A typed template name that cannot be used; the text says why.
class TemplateNameError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// The user's answer to "Такое емя уже есть! Заменить файл?".
enum class ReplaceAnswer { Yes, No, Cancel };

// The two dialogs of saveTemplateAs, shown by the window.
class SaveTemplateDialogs
{
public:
    virtual ~SaveTemplateDialogs() = default;
    // Title saveTemplateTitle, prompt saveTemplatePrompt, empty initial text;
    // Cancel gives the empty text.
    virtual QString askTemplateName() = 0;
    // replaceTemplateQuestion, titled replaceTemplateTitle, Yes/No/Cancel.
    virtual ReplaceAnswer askReplaceTemplate(const QString &name) = 0;
};

// The save command behind bbSaveClick. With rows in the chain, asks for a
// name until one is given whose file is new or may be replaced (No asks
// again with an empty text); Cancel or an empty name save nothing. Calls `saveTemplate` with the
// file path and gives the saved name, or nothing when nothing was saved.
// Throws TemplateNameError for a name templateNameProblem refuses; errors of
// `saveTemplate` go up unchanged.
std::optional<QString> saveTemplateAs(int chainRows, const QString &programDir, SaveTemplateDialogs &dialogs,
                                      const std::function<void(const QString &path)> &saveTemplate);

// After a save: the entry of `entries` (past the empty one) spelled as
// `name`, or a new entry appended for it; "a" and "A" are two files here.
// Gives the index to select.
int selectSavedTemplate(QStringList &entries, const QString &name);

// cbProfileChange: the file to load for the picked entry, or nothing (the
// empty entry, index 0, or a name whose file does not exist).
std::optional<QString> templateForPickedEntry(const QString &programDir, int index, const QString &text);

} // namespace brenmark
