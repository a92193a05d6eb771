#include "module_helper/OptionsDialog.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brenmark::sdk {

OptionsDialog::OptionsDialog(QWidget *parent, const QString &title)
    : QDialog(parent)
    , m_form(new QFormLayout)
    , m_example(new QLabel(this))
    , m_ok(nullptr)
{
    setWindowTitle(title);
    m_example->setTextFormat(Qt::PlainText);
    m_example->setWordWrap(true);
    m_example->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("ОК"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(new QLabel(QStringLiteral("Пример:"), this));
    layout->addWidget(m_example);
    layout->addStretch();
    layout->addWidget(buttons);
}

void OptionsDialog::setSampleName(const QString &fileName)
{
    m_sample = fileName;
    updateExample();
}

QString OptionsDialog::exampleText() const
{
    return m_example->text();
}

void OptionsDialog::updateExample()
{
    const QString problem = optionsProblem();
    m_ok->setEnabled(problem.isEmpty());
    if (!problem.isEmpty()) {
        m_example->setText(QStringLiteral("Ошибка: ") + problem);
        return;
    }
    const QByteArray sample = m_sample.toUtf8();
    std::string result;
    try {
        appendExample(std::string_view(sample.constData(), std::size_t(sample.size())), result);
        checkExample(result);
        m_example->setText(m_sample + QStringLiteral(" → ") + QString::fromUtf8(result));
    } catch (const ModuleError &error) {
        m_example->setText(m_sample + QStringLiteral(" → ошибка: ") + QString::fromUtf8(error.what()));
    }
}

void OptionsDialog::checkExample(std::string_view result) const
{
    checkFileName(result);
}

void OptionsDialog::watch(QWidget *control)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        connect(edit, &QLineEdit::textChanged, this, &OptionsDialog::updateExample);
    else if (auto *spin = qobject_cast<QSpinBox *>(control))
        connect(spin, &QSpinBox::valueChanged, this, &OptionsDialog::updateExample);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        connect(combo, &QComboBox::currentIndexChanged, this, &OptionsDialog::updateExample);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        connect(button, &QAbstractButton::toggled, this, &OptionsDialog::updateExample);
}

} // namespace brenmark::sdk
