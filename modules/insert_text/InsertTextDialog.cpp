#include "modules/insert_text/InsertTextDialog.h"

#include "modules/insert_text/InsertText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace brenmark::modules {

InsertTextDialog::InsertTextDialog(QWidget *parent, const InsertOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Вставка текста"))
    , m_text(new QLineEdit(this))
    , m_position(new QComboBox(this))
    , m_offset(new QSpinBox(this))
{
    m_text->setText(sdk::fromField(options.text));
    m_text->setMaxLength(120);
    m_position->addItem(QStringLiteral("от начала имени"));
    m_position->addItem(QStringLiteral("от конца имени"));
    m_position->addItem(QStringLiteral("перед расширением"));
    m_position->setCurrentIndex(int(options.position));
    m_offset->setRange(0, 255);
    m_offset->setValue(options.offset);
    m_offset->setSuffix(QStringLiteral(" знаков"));

    form()->addRow(QStringLiteral("Текст:"), m_text);
    form()->addRow(QStringLiteral("Место:"), m_position);
    form()->addRow(QStringLiteral("Отступ:"), m_offset);
    for (QWidget *control : {static_cast<QWidget *>(m_text), static_cast<QWidget *>(m_position),
                             static_cast<QWidget *>(m_offset)})
        watch(control);
    connect(m_position, &QComboBox::currentIndexChanged, this, &InsertTextDialog::updateOffsetEnabled);
    updateOffsetEnabled();
    updateExample();
}

InsertOptions InsertTextDialog::options() const
{
    InsertOptions options;
    sdk::toField(m_text->text(), options.text);
    options.position = InsertPosition(m_position->currentIndex());
    options.offset = m_offset->value();
    return options;
}

void InsertTextDialog::appendExample(std::string_view fileName, std::string &out) const
{
    insertText(options(), fileName, out);
}

void InsertTextDialog::updateOffsetEnabled()
{
    m_offset->setEnabled(InsertPosition(m_position->currentIndex()) != InsertPosition::BeforeExtension);
}

} // namespace brenmark::modules
