#include "modules/date_time/DateTimeDialog.h"

#include "modules/date_time/DateTimeRule.h"

#include "module_helper/ModuleError.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace brenmark::datetime {

DateTimeDialog::DateTimeDialog(QWidget *parent, const DateTimeOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Дата и время"))
    , m_source(new QComboBox(this))
    , m_placement(new QComboBox(this))
    , m_format(new QComboBox(this))
    , m_separator(new QLineEdit(this))
{
    m_source->addItem(QStringLiteral("дата изменения файла"));
    m_source->addItem(QStringLiteral("дата съёмки (EXIF), иначе дата изменения"));
    m_source->setCurrentIndex(int(options.source));
    m_placement->addItem(QStringLiteral("в начало имени"));
    m_placement->addItem(QStringLiteral("в конец имени (перед расширением)"));
    m_placement->addItem(QStringLiteral("вместо имени"));
    m_placement->setCurrentIndex(int(options.placement));
    m_format->setEditable(true);
    for (const char *preset : {"%Y-%m-%d", "%Y-%m-%d_%H-%M-%S", "%Y%m%d_%H%M%S", "%d.%m.%Y", "%Y-%m"})
        m_format->addItem(QString::fromLatin1(preset));
    m_format->setCurrentText(sdk::fromField(options.format));
    m_separator->setText(sdk::fromField(options.separator));
    m_separator->setMaxLength(7);

    form()->addRow(QStringLiteral("Дата:"), m_source);
    form()->addRow(QStringLiteral("Куда:"), m_placement);
    form()->addRow(QStringLiteral("Формат:"), m_format);
    form()->addRow(QString(), new QLabel(QStringLiteral("%Y год, %y год из двух цифр, %m месяц, %d день,\n"
                                                        "%H часы, %M минуты, %S секунды, %% знак %"), this));
    form()->addRow(QStringLiteral("Разделитель:"), m_separator);
    watch(m_source);
    watch(m_placement);
    watch(m_format);
    watch(m_separator);
    connect(m_format, &QComboBox::editTextChanged, this, &DateTimeDialog::updateExample);
    updateExample();
}

DateTimeOptions DateTimeDialog::options() const
{
    DateTimeOptions options;
    options.source = DateSource(m_source->currentIndex());
    options.placement = DatePlacement(m_placement->currentIndex());
    sdk::toField(m_format->currentText(), options.format);
    sdk::toField(m_separator->text(), options.separator);
    return options;
}

QString DateTimeDialog::optionsProblem() const
{
    try {
        validateOptions(options());
    } catch (const sdk::ModuleError &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

void DateTimeDialog::appendExample(std::string_view fileName, std::string &out) const
{
    const DateTimeOptions current = options();
    const QDateTime now = QDateTime::currentDateTime();
    const DateParts date{now.date().year(), now.date().month(), now.date().day(),
                         now.time().hour(), now.time().minute(), now.time().second()};
    appendNewName(current, fileName, date, out);
}

} // namespace brenmark::datetime
