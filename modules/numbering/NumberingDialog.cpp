#include "modules/numbering/NumberingDialog.h"

#include "modules/numbering/Numbering.h"
#include "module_helper/Counter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <limits>

namespace brenmark::modules {

NumberingDialog::NumberingDialog(QWidget *parent, const NumberingOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Нумерация"))
    , m_place(new QComboBox(this))
    , m_start(new QSpinBox(this))
    , m_step(new QSpinBox(this))
    , m_width(new QSpinBox(this))
    , m_separator(new QLineEdit(this))
{
    m_place->addItem(QStringLiteral("перед именем"));
    m_place->addItem(QStringLiteral("после имени"));
    m_place->addItem(QStringLiteral("вместо имени"));
    m_place->setCurrentIndex(int(options.place));
    m_start->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_start->setValue(options.start);
    m_step->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_step->setValue(options.step);
    m_width->setRange(sdk::kAutoWidth, sdk::kMaxCounterWidth);
    // "авто": as many digits as the largest number of the list needs.
    m_width->setSpecialValueText(QStringLiteral("авто"));
    m_width->setValue(options.width);
    m_width->setSuffix(QStringLiteral(" цифр"));
    m_separator->setText(sdk::fromField(options.separator));
    m_separator->setMaxLength(15);

    form()->addRow(QStringLiteral("Номер:"), m_place);
    form()->addRow(QStringLiteral("Начать с:"), m_start);
    form()->addRow(QStringLiteral("Шаг:"), m_step);
    form()->addRow(QStringLiteral("Не меньше:"), m_width);
    form()->addRow(QStringLiteral("Разделитель:"), m_separator);
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_place, m_start, m_step, m_width, m_separator})
        watch(control);
    connect(m_place, &QComboBox::currentIndexChanged, this,
            [this](int place) { m_separator->setEnabled(NumberPlace(place) != NumberPlace::WholeName); });
    m_separator->setEnabled(options.place != NumberPlace::WholeName);
    updateExample();
}

NumberingOptions NumberingDialog::options() const
{
    NumberingOptions options;
    options.place = NumberPlace(m_place->currentIndex());
    options.start = m_start->value();
    options.step = m_step->value();
    options.width = uint8_t(m_width->value());
    sdk::toField(m_separator->text(), options.separator);
    return options;
}

void NumberingDialog::appendExample(std::string_view fileName, std::string &out) const
{
    numberName(options(), fileName, 0, 0, out);
}

} // namespace brenmark::modules
