// Puts the file's modification time or its EXIF capture date into its name.
#include "brenmark_module_helper.h"
#include "modules/date_time/DateTimeDialog.h"
#include "modules/date_time/DateTimeRule.h"
#include "modules/date_time/FileDateReader.h"

namespace brenmark::datetime {
namespace {

class DateTimeModule final : public sdk::RenamingModule<DateTimeOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Дата и время", "Brenmark", "Имя файла\\Дата и время", "*"};
    }

    // The date goes beside the old name, whatever bytes it holds.
    bool requiresUtf8Names() const override { return false; }

protected:
    DateTimeOptions defaults() const override { return {}; }

    std::string describe(const DateTimeOptions &options) const override
    {
        return datetime::describe(options);
    }

    bool edit(QWidget *parent, DateTimeOptions &options, bool) override
    {
        return sdk::editInDialog<DateTimeDialog>(parent, options);
    }

    void appendNewName(const DateTimeOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        validateOptions(options);
        // The date is that of the file where it lies now, not of the name it is getting.
        m_path.assign(request.actualPath);
        datetime::appendNewName(options, request.fileName, m_reader.read(m_path, options.source), out);
    }

private:
    FileDateReader m_reader;
    std::string m_path;
};

} // namespace
} // namespace brenmark::datetime

BRENMARK_MODULE(brenmark::datetime::DateTimeModule)
