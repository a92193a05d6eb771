#include "modules/music_tags/MusicTagsDialog.h"

#include "module_helper/ModuleError.h"
#include "modules/music_tags/MusicTagsRule.h"
#include "modules/music_tags/TagPattern.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace brenmark::musictags {

namespace {

const TrackTags &sampleTags()
{
    static const TrackTags tags{"Исполнитель", "Исполнитель", "Песня", "Альбом", "Рок", 1, 1, 2024};
    return tags;
}

} // namespace

MusicTagsDialog::MusicTagsDialog(QWidget *parent, const MusicTagsOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Теги музыки"))
    , m_pattern(new QComboBox(this))
    , m_trackWidth(new QSpinBox(this))
    , m_fallback(new QComboBox(this))
    , m_fallbackText(new QLineEdit(this))
    , m_lowerExtension(new QCheckBox(QStringLiteral("Расширение строчными буквами"), this))
{
    m_pattern->setEditable(true);
    for (const char *preset : {"[artist] - [title]", "[track] - [title]", "[artist] - [album] - [track] - [title]",
                               "[albumartist] - [year] - [album] - [disc]-[track] [title]"})
        m_pattern->addItem(QString::fromUtf8(preset));
    m_pattern->setCurrentText(sdk::fromField(options.pattern));
    m_trackWidth->setRange(1, 4);
    m_trackWidth->setValue(options.trackWidth);
    m_fallback->addItem(QStringLiteral("оставить имя"));
    m_fallback->addItem(QStringLiteral("заменить имя текстом"));
    m_fallback->setCurrentIndex(int(options.fallback));
    m_fallbackText->setObjectName(QStringLiteral("fallbackText"));
    m_fallbackText->setText(sdk::fromField(options.fallbackText));
    m_fallbackText->setMaxLength(40);
    m_fallbackText->setEnabled(options.fallback == TagFallback::Text);
    m_lowerExtension->setChecked(options.lowerExtension != 0);

    form()->addRow(QStringLiteral("Шаблон:"), m_pattern);
    form()->addRow(QString(), new QLabel(QString::fromUtf8(placeholderHelp()), this));
    form()->addRow(QStringLiteral("Цифр в номере дорожки:"), m_trackWidth);
    form()->addRow(QStringLiteral("Если нужного тега нет:"), m_fallback);
    form()->addRow(QStringLiteral("Текст:"), m_fallbackText);
    form()->addRow(QString(), m_lowerExtension);
    for (QWidget *control : std::initializer_list<QWidget *>{m_pattern, m_trackWidth, m_fallback, m_fallbackText,
                                                             m_lowerExtension})
        watch(control);
    connect(m_pattern, &QComboBox::editTextChanged, this, &MusicTagsDialog::updateExample);
    connect(m_fallback, &QComboBox::currentIndexChanged, this,
            [this](int fallback) { m_fallbackText->setEnabled(TagFallback(fallback) == TagFallback::Text); });
    setSampleName(QStringLiteral("01 - Исполнитель - Песня.MP3"));
}

MusicTagsOptions MusicTagsDialog::options() const
{
    MusicTagsOptions options;
    sdk::toField(m_pattern->currentText(), options.pattern);
    options.trackWidth = uint8_t(m_trackWidth->value());
    options.fallback = TagFallback(m_fallback->currentIndex());
    sdk::toField(m_fallbackText->text(), options.fallbackText);
    options.lowerExtension = m_lowerExtension->isChecked() ? 1 : 0;
    return options;
}

QString MusicTagsDialog::optionsProblem() const
{
    try {
        validateOptions(options());
    } catch (const sdk::ModuleError &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

void MusicTagsDialog::appendExample(std::string_view fileName, std::string &out) const
{
    const MusicTagsOptions current = options();
    appendNewName(current, prepareOptions(current), fileName, sampleTags(), out);
}

} // namespace brenmark::musictags
