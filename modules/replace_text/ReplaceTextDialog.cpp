#include "modules/replace_text/ReplaceTextDialog.h"

#include "modules/replace_text/TextReplacer.h"
#include "module_helper/ModuleError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace brenmark::modules {

ReplaceTextDialog::ReplaceTextDialog(QWidget *parent, const ReplaceOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Замена текста"))
    , m_find(new QLineEdit(this))
    , m_replacement(new QLineEdit(this))
    , m_pattern(new QCheckBox(QStringLiteral("Регулярное выражение (в замене \\1 или $1 — группа 1)"), this))
    , m_caseSensitive(new QCheckBox(QStringLiteral("С учётом регистра букв"), this))
    , m_firstOnly(new QCheckBox(QStringLiteral("Только первое вхождение"), this))
    , m_scope(new QComboBox(this))
{
    m_find->setText(sdk::fromField(options.find));
    m_replacement->setText(sdk::fromField(options.replacement));
    m_find->setMaxLength(120);
    m_replacement->setMaxLength(120);
    m_pattern->setChecked(options.regularExpression != 0);
    m_caseSensitive->setChecked(options.caseSensitive != 0);
    m_firstOnly->setChecked(options.everyOccurrence == 0);
    m_scope->addItem(QStringLiteral("в имени"));
    m_scope->addItem(QStringLiteral("в расширении"));
    m_scope->addItem(QStringLiteral("в имени и расширении"));
    m_scope->setCurrentIndex(int(options.scope));

    form()->addRow(QStringLiteral("Найти:"), m_find);
    form()->addRow(QStringLiteral("Заменить на:"), m_replacement);
    form()->addRow(QString(), m_pattern);
    form()->addRow(QString(), m_caseSensitive);
    form()->addRow(QString(), m_firstOnly);
    form()->addRow(QStringLiteral("Где:"), m_scope);
    for (QWidget *control : std::initializer_list<QWidget *>{m_find, m_replacement, m_pattern,
                                                             m_caseSensitive, m_firstOnly, m_scope})
        watch(control);
    setSampleName(QStringLiteral("IMG_0042 отпуск.JPG"));
}

ReplaceOptions ReplaceTextDialog::options() const
{
    ReplaceOptions options;
    sdk::toField(m_find->text(), options.find);
    sdk::toField(m_replacement->text(), options.replacement);
    options.regularExpression = m_pattern->isChecked();
    options.caseSensitive = m_caseSensitive->isChecked();
    options.everyOccurrence = !m_firstOnly->isChecked();
    options.scope = ReplaceScope(m_scope->currentIndex());
    return options;
}

void ReplaceTextDialog::appendExample(std::string_view fileName, std::string &out) const
{
    TextReplacer(options()).apply(fileName, out);
}

QString ReplaceTextDialog::optionsProblem() const
{
    try {
        TextReplacer check(options());
    } catch (const sdk::ModuleError &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

} // namespace brenmark::modules
