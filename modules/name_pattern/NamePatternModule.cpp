// Builds the whole new name from a pattern: parts of the old name, a counter,
// the date, the folder's name and literal text.
#include "brenmark_module_helper.h"
#include "modules/date_time/FileDateReader.h"
#include "modules/name_pattern/NamePatternDialog.h"
#include "modules/name_pattern/PatternName.h"

namespace brenmark::modules {
namespace {

class NamePatternModule final : public sdk::RenamingModule<NamePatternOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Шаблон имени", "Brenmark", "Имя файла\\Шаблон имени", "*"};
    }

protected:
    NamePatternOptions defaults() const override { return {}; }

    std::string describe(const NamePatternOptions &options) const override
    {
        return "Шаблон: " + std::string(sdk::fieldText(options.pattern));
    }

    // A block whose pattern does not parse came from a damaged template or
    // another version: it is refused, never guessed at.
    bool validOptions(const NamePatternOptions &options) const override
    {
        return compiled(options).parsed.ok();
    }

    bool edit(QWidget *parent, NamePatternOptions &options, bool) override
    {
        return sdk::editInDialog<NamePatternDialog>(parent, options);
    }

    void appendNewName(const NamePatternOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        const CompiledPattern &pattern = compiled(options);
        datetime::DateParts date;
        if (pattern.usesDate) {
            // The date is that of the file where it lies now.
            m_path.assign(request.actualPath);
            date = m_reader.read(m_path, datetime::DateSource::Exif);
        }
        appendPatternName(pattern, {request.fileName, request.folder, request.fileIndex,
                                    request.fileCount, pattern.usesDate ? &date : nullptr},
                          out);
    }

    void optionsFreed(const void *block) override { m_patterns.forget(block); }

private:
    const CompiledPattern &compiled(const NamePatternOptions &options) const
    {
        return m_patterns.get(options, [](const NamePatternOptions &block) {
            const std::string_view text = sdk::fieldText(block.pattern);
            if (!sdk::isValidUtf8(text)) {
                CompiledPattern broken;
                broken.parsed.error = "шаблон не в кодировке UTF-8.";
                return broken;
            }
            return compilePattern(text);
        });
    }

    mutable sdk::PreparedCache<NamePatternOptions, CompiledPattern> m_patterns;
    datetime::FileDateReader m_reader;
    std::string m_path;
};

} // namespace
} // namespace brenmark::modules

BRENMARK_MODULE(brenmark::modules::NamePatternModule)
