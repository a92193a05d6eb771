// Names music files from their tags (artist, title, album, track...).
#include "brenmark_module_helper.h"
#include "modules/music_tags/MusicTagsDialog.h"
#include "modules/music_tags/MusicTagsRule.h"
#include "modules/music_tags/TagReader.h"

namespace brenmark::musictags {
namespace {

class MusicTagsModule final : public sdk::RenamingModule<MusicTagsOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Теги музыки", "Brenmark", "Имя файла\\Теги музыки", "*.mp3;*.flac;*.ogg;*.opus"};
    }

    // Names come from the tags; the old name's bytes are only copied or cut
    // (a name in an old 8-bit encoding is just what tags help to replace).
    bool requiresUtf8Names() const override { return false; }

protected:
    MusicTagsOptions defaults() const override { return {}; }

    std::string describe(const MusicTagsOptions &options) const override
    {
        return musictags::describe(options);
    }

    bool validOptions(const MusicTagsOptions &options) const override
    {
        return options.fallback <= TagFallback::Text && options.lowerExtension <= 1 && options.trackWidth >= 1
            && options.trackWidth <= 4;
    }

    bool edit(QWidget *parent, MusicTagsOptions &options, bool) override
    {
        return sdk::editInDialog<MusicTagsDialog>(parent, options);
    }

    void appendNewName(const MusicTagsOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        const TagPattern &pattern = m_patterns.get(options, prepareOptions);
        if (!pattern.problem.empty())
            throw sdk::ModuleError(pattern.problem);
        // The tags are those of the file where it lies now, not of the name it is getting.
        m_path.assign(request.actualPath);
        musictags::appendNewName(options, pattern, request.fileName, m_reader.read(m_path), out);
    }

    void optionsFreed(const void *block) override { m_patterns.forget(block); }

private:
    sdk::PreparedCache<MusicTagsOptions, TagPattern> m_patterns;
    TagReader m_reader;
    std::string m_path;
};

} // namespace
} // namespace brenmark::musictags

BRENMARK_MODULE(brenmark::musictags::MusicTagsModule)
