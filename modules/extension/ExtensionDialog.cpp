#include "modules/extension/ExtensionDialog.h"

#include "modules/extension/ExtensionRule.h"

#include "module_helper/ModuleError.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace brenmark::extension {

ExtensionDialog::ExtensionDialog(QWidget *parent, const ExtensionOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Расширение"))
    , m_operation(new QComboBox(this))
    , m_text(new QLineEdit(this))
{
    m_operation->addItem(QStringLiteral("заменить на"));
    m_operation->addItem(QStringLiteral("убрать"));
    m_operation->addItem(QStringLiteral("добавить ещё одно"));
    m_operation->addItem(QStringLiteral("строчными буквами"));
    m_operation->addItem(QStringLiteral("ПРОПИСНЫМИ буквами"));
    setMinimumWidth(400);
    m_operation->setCurrentIndex(int(options.operation));
    m_text->setText(sdk::fromField(options.text));
    m_text->setMaxLength(30);
    m_text->setPlaceholderText(QStringLiteral("например, jpg (пусто: без расширения)"));
    m_text->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]*")), m_text));

    form()->addRow(QStringLiteral("Расширение:"), m_operation);
    form()->addRow(QStringLiteral("Новое:"), m_text);
    watch(m_operation);
    watch(m_text);
    connect(m_operation, &QComboBox::currentIndexChanged, this, &ExtensionDialog::updateTextEnabled);
    updateTextEnabled();
    updateExample();
}

ExtensionOptions ExtensionDialog::options() const
{
    ExtensionOptions options;
    options.operation = ExtensionOperation(m_operation->currentIndex());
    QString text = m_text->text().trimmed();
    while (text.startsWith(QLatin1Char('.')))
        text.remove(0, 1); // "jpg" and ".jpg" mean the same
    sdk::toField(text, options.text);
    return options;
}

QString ExtensionDialog::optionsProblem() const
{
    try {
        validateOptions(options());
    } catch (const sdk::ModuleError &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

void ExtensionDialog::appendExample(std::string_view fileName, std::string &out) const
{
    const ExtensionOptions current = options();
    appendNewName(current, fileName, out);
}

void ExtensionDialog::updateTextEnabled()
{
    const auto operation = ExtensionOperation(m_operation->currentIndex());
    m_text->setEnabled(operation == ExtensionOperation::Set || operation == ExtensionOperation::Add);
}

} // namespace brenmark::extension
