// Removes characters from file names: a range, all digits or all non-letters,
// and tidies blanks.
#include "brenmark_module_helper.h"
#include "modules/remove_text/RemoveText.h"
#include "modules/remove_text/RemoveTextDialog.h"

namespace brenmark::modules {
namespace {

class RemoveTextModule final : public sdk::RenamingModule<RemoveOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Удаление знаков", "Brenmark", "Имя файла\\Удаление знаков", "*"};
    }

protected:
    RemoveOptions defaults() const override { return {}; }
    std::string describe(const RemoveOptions &options) const override { return removeCaption(options); }

    bool validOptions(const RemoveOptions &options) const override
    {
        return options.what <= RemoveWhat::NonLetters;
    }

    bool edit(QWidget *parent, RemoveOptions &options, bool) override
    {
        return sdk::editInDialog<RemoveTextDialog>(parent, options);
    }

    void appendNewName(const RemoveOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        removeText(options, request.fileName, out);
    }
};

} // namespace
} // namespace brenmark::modules

BRENMARK_MODULE(brenmark::modules::RemoveTextModule)
