#include "modules/letter_case/LetterCaseDialog.h"

#include <QComboBox>
#include <QFormLayout>

namespace brenmark::modules {

namespace {

void fillCases(QComboBox *box, LetterCase current)
{
    box->addItem(QStringLiteral("не менять"));
    box->addItem(QStringLiteral("строчные"));
    box->addItem(QStringLiteral("ПРОПИСНЫЕ"));
    box->addItem(QStringLiteral("Каждое Слово С Прописной"));
    box->addItem(QStringLiteral("Как в предложении"));
    box->setCurrentIndex(int(current));
}

} // namespace

LetterCaseDialog::LetterCaseDialog(QWidget *parent, const CaseOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Регистр букв"))
    , m_name(new QComboBox(this))
    , m_extension(new QComboBox(this))
{
    fillCases(m_name, options.name);
    fillCases(m_extension, options.extension);
    form()->addRow(QStringLiteral("Имя:"), m_name);
    form()->addRow(QStringLiteral("Расширение:"), m_extension);
    watch(m_name);
    watch(m_extension);
    setSampleName(QStringLiteral("ПОЕЗДКА в москву 2nd day.JPG"));
}

CaseOptions LetterCaseDialog::options() const
{
    CaseOptions options;
    options.name = LetterCase(m_name->currentIndex());
    options.extension = LetterCase(m_extension->currentIndex());
    return options;
}

void LetterCaseDialog::appendExample(std::string_view fileName, std::string &out) const
{
    m_changer.apply(options(), fileName, out);
}

} // namespace brenmark::modules
