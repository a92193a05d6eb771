#include "options/core/SettingsFile.h"

#include "options/core/ColorValue.h"
#include "options/core/IniFile.h"
#include "options/core/IniValue.h"

namespace brenmark {

namespace {

const QString mainSection = QStringLiteral("MAIN");
const QString modulesSection = QStringLiteral("MODULES");
const QString viewSection = QStringLiteral("VIEW");

// Reads from one snapshot of the file, with the same conversions as IniFile.
class SettingsReader
{
public:
    explicit SettingsReader(IniDocument document) : m_document(std::move(document)) {}

    std::optional<std::int32_t> integer(const QString &section, const QString &key) const
    {
        const auto text = m_document.value(section, key);
        return text ? parseIniInteger(*text) : std::nullopt;
    }
    bool boolean(const QString &section, const QString &key, bool defaultValue) const
    {
        const auto value = integer(section, key);
        return value ? *value != 0 : defaultValue;
    }
    QString text(const QString &section, const QString &key, const QString &defaultValue) const
    {
        return m_document.value(section, key).value_or(defaultValue);
    }
    const IniDocument &document() const { return m_document; }

private:
    IniDocument m_document;
};

} // namespace

Settings LoadSettings(const QString &iniPath)
{
    const Settings defaults;
    Settings settings;
    const SettingsReader reader(IniFile(iniPath).read());

    settings.autosave = reader.boolean(mainSection, QStringLiteral("gen_autosave"), defaults.autosave);
    settings.noPreview = reader.boolean(mainSection, QStringLiteral("no_preview"), defaults.noPreview);
    settings.runFiles = reader.boolean(mainSection, QStringLiteral("run_files"), defaults.runFiles);

    settings.disabledModules = reader.document().keys(modulesSection);

    settings.actionGrouping = reader.boolean(viewSection, QStringLiteral("act_grouping"), defaults.actionGrouping);
    settings.fileListFontName =
        reader.text(viewSection, QStringLiteral("flist_font_name"), defaults.fileListFontName);
    // A size the font system cannot use is as unreadable as no number at all.
    const auto fontSize = reader.integer(viewSection, QStringLiteral("flist_font_size"));
    settings.fileListFontSize = fontSize && *fontSize >= 1 && *fontSize <= 999 ? *fontSize : defaults.fileListFontSize;
    settings.showIcons = reader.boolean(viewSection, QStringLiteral("show_icons"), defaults.showIcons);

    settings.showNameChanges = reader.boolean(viewSection, QStringLiteral("show_fname_ed"), defaults.showNameChanges);
    const auto color = colorFromString(reader.text(viewSection, QStringLiteral("fname_ed_col"), QString()));
    settings.nameChangeColor = color.value_or(defaults.nameChangeColor);

    settings.showPathChanges = reader.boolean(viewSection, QStringLiteral("show_fpath_ed"), defaults.showPathChanges);
    const auto style = reader.integer(viewSection, QStringLiteral("fpath_ed_st"));
    settings.pathChangeStyle =
        style && *style >= 0 && *style <= 3 ? static_cast<PathChangeStyle>(*style) : defaults.pathChangeStyle;

    settings.zebraStyle = reader.boolean(viewSection, QStringLiteral("zebra_style"), defaults.zebraStyle);
    return settings;
}

void SaveSettings(const QString &iniPath, const Settings &settings)
{
    // One write for the whole dialog: a failure leaves the old file whole,
    // and the disk is synced once rather than once per key.
    IniFile(iniPath).update([&settings](IniDocument &file) {
        auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
        file.setValue(mainSection, QStringLiteral("gen_autosave"), flag(settings.autosave));
        file.setValue(mainSection, QStringLiteral("no_preview"), flag(settings.noPreview));
        file.setValue(mainSection, QStringLiteral("run_files"), flag(settings.runFiles));

        file.eraseSection(modulesSection);
        for (const QString &module : settings.disabledModules)
            file.setValue(modulesSection, module, flag(false));

        file.setValue(viewSection, QStringLiteral("act_grouping"), flag(settings.actionGrouping));
        file.setValue(viewSection, QStringLiteral("flist_font_name"), settings.fileListFontName);
        file.setValue(viewSection, QStringLiteral("flist_font_size"), QString::number(settings.fileListFontSize));

        file.setValue(viewSection, QStringLiteral("show_fname_ed"), flag(settings.showNameChanges));
        file.setValue(viewSection, QStringLiteral("fname_ed_col"), colorToString(settings.nameChangeColor));
        file.setValue(viewSection, QStringLiteral("show_fpath_ed"), flag(settings.showPathChanges));
        file.setValue(viewSection, QStringLiteral("fpath_ed_st"), QString::number(static_cast<int>(settings.pathChangeStyle)));
        file.setValue(viewSection, QStringLiteral("zebra_style"), flag(settings.zebraStyle));
        file.setValue(viewSection, QStringLiteral("show_icons"), flag(settings.showIcons));
    });
}

QString readTemplateName(const QString &iniPath)
{
    return IniFile(iniPath).readString(mainSection, QStringLiteral("template"), QStringLiteral("~autosave"));
}

void writeTemplateName(const QString &iniPath, const QString &name)
{
    IniFile(iniPath).writeString(mainSection, QStringLiteral("template"), name);
}

} // namespace brenmark
