// Inserts a text into file names at a position from the start or the end, or
// before the extension.
#include "brenmark_module_helper.h"
#include "modules/insert_text/InsertText.h"
#include "modules/insert_text/InsertTextDialog.h"

namespace brenmark::modules {
namespace {

class InsertTextModule final : public sdk::RenamingModule<InsertOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Вставка текста", "Brenmark", "Имя файла\\Вставка текста", "*"};
    }

protected:
    InsertOptions defaults() const override { return {}; }
    std::string describe(const InsertOptions &options) const override { return insertCaption(options); }

    bool validOptions(const InsertOptions &options) const override
    {
        return options.position <= InsertPosition::BeforeExtension;
    }

    bool edit(QWidget *parent, InsertOptions &options, bool) override
    {
        return sdk::editInDialog<InsertTextDialog>(parent, options);
    }

    void appendNewName(const InsertOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        insertText(options, request.fileName, out);
    }
};

} // namespace
} // namespace brenmark::modules

BRENMARK_MODULE(brenmark::modules::InsertTextModule)
