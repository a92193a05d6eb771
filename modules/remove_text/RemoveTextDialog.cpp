#include "modules/remove_text/RemoveTextDialog.h"

#include "modules/remove_text/RemoveText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>

namespace brenmark::modules {

RemoveTextDialog::RemoveTextDialog(QWidget *parent, const RemoveOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Удаление знаков"))
    , m_what(new QComboBox(this))
    , m_count(new QSpinBox(this))
    , m_start(new QSpinBox(this))
    , m_direction(new QComboBox(this))
    , m_trim(new QCheckBox(QStringLiteral("Убрать пробелы в начале и в конце"), this))
    , m_collapse(new QCheckBox(QStringLiteral("Заменить несколько пробелов подряд одним"), this))
{
    m_what->addItem(QStringLiteral("только пробелы (см. ниже)"));
    m_what->addItem(QStringLiteral("знаки подряд"));
    m_what->addItem(QStringLiteral("все цифры"));
    m_what->addItem(QStringLiteral("всё, кроме букв"));
    m_what->setCurrentIndex(int(options.what));
    m_count->setRange(0, 255);
    m_count->setValue(options.count);
    m_start->setRange(0, 255);
    m_start->setValue(options.start);
    m_direction->addItem(QStringLiteral("от начала имени"));
    m_direction->addItem(QStringLiteral("от конца имени"));
    m_direction->setCurrentIndex(options.fromEnd ? 1 : 0);
    m_trim->setChecked(options.trimBlanks != 0);
    m_collapse->setChecked(options.collapseBlanks != 0);

    form()->addRow(QStringLiteral("Удалить:"), m_what);
    form()->addRow(QStringLiteral("Сколько знаков:"), m_count);
    form()->addRow(QStringLiteral("Пропустить знаков:"), m_start);
    form()->addRow(QStringLiteral("Считать:"), m_direction);
    form()->addRow(QString(), m_trim);
    form()->addRow(QString(), m_collapse);
    for (QWidget *control : std::initializer_list<QWidget *>{m_what, m_count, m_start, m_direction,
                                                             m_trim, m_collapse})
        watch(control);
    connect(m_what, &QComboBox::currentIndexChanged, this, &RemoveTextDialog::updateRangeEnabled);
    updateRangeEnabled();
    setSampleName(QStringLiteral("IMG_0042  отпуск  2024 .JPG"));
}

RemoveOptions RemoveTextDialog::options() const
{
    RemoveOptions options;
    options.what = RemoveWhat(m_what->currentIndex());
    options.count = m_count->value();
    options.start = m_start->value();
    options.fromEnd = m_direction->currentIndex() == 1;
    options.trimBlanks = m_trim->isChecked();
    options.collapseBlanks = m_collapse->isChecked();
    return options;
}

void RemoveTextDialog::appendExample(std::string_view fileName, std::string &out) const
{
    removeText(options(), fileName, out);
}

void RemoveTextDialog::updateRangeEnabled()
{
    const bool range = RemoveWhat(m_what->currentIndex()) == RemoveWhat::Range;
    m_count->setEnabled(range);
    m_start->setEnabled(range);
    m_direction->setEnabled(range);
}

} // namespace brenmark::modules
