#include "modules/name_pattern/NamePatternDialog.h"

#include "modules/name_pattern/PatternName.h"

#include <QDateTime>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QHBoxLayout>

namespace brenmark::modules {

namespace {

constexpr int32_t kExampleCount = 12;

struct PlaceholderItem
{
    const char *text;
    const char *caption;
};

const PlaceholderItem kPlaceholderItems[] = {
    {"[N]", "[N] — старое имя без расширения"},
    {"[N1-5]", "[N1-5] — символы имени с 1-го по 5-й"},
    {"[N~3-]", "[N~3-] — три последних символа имени"},
    {"[E]", "[E] — расширение"},
    {"[P]", "[P] — имя папки файла"},
    {"[C]", "[C] — счётчик: с 1, шаг 1, ширина «авто»"},
    {"[C:1,1,3]", "[C:1,1,3] — счётчик из трёх цифр"},
    {"[D]", "[D] — дата съёмки (EXIF) или изменения: 2024-07-15"},
    {"[D:%Y-%m-%d %H.%M]", "[D:%Y-%m-%d %H.%M] — дата и время"},
};

} // namespace

NamePatternDialog::NamePatternDialog(QWidget *parent, const NamePatternOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Шаблон имени"))
    , m_pattern(new QLineEdit(sdk::fromField(options.pattern), this))
{
    setObjectName(QStringLiteral("NamePatternDialog"));
    m_pattern->setObjectName(QStringLiteral("edPattern"));
    m_pattern->setMaxLength(int(sizeof options.pattern) - 1);
    m_pattern->setMinimumWidth(360);

    auto *insert = new QToolButton(this);
    insert->setText(QStringLiteral("Метка"));
    insert->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(insert);
    for (const PlaceholderItem &item : kPlaceholderItems) {
        const QString text = QString::fromUtf8(item.text);
        menu->addAction(QString::fromUtf8(item.caption), this, [this, text] { insertPlaceholder(text); });
    }
    insert->setMenu(menu);

    auto *row = new QHBoxLayout;
    row->addWidget(m_pattern, 1);
    row->addWidget(insert);
    form()->addRow(QStringLiteral("Шаблон:"), row);

    auto *help = new QLabel(
        QStringLiteral("[N] имя, [E] расширение, [P] папка; символы: [N1-5], [N3-], [N-4], [N~3-] (с конца).\n"
                       "[C:начало,шаг,ширина] счётчик, ширина «авто» — по числу файлов списка.\n"
                       "[D] или [D:%d.%m.%Y] дата съёмки (EXIF), иначе изменения файла:\n"
                       "%Y год, %m месяц, %d день, %H часы, %M минуты, %S секунды.\n"
                       "Скобки в самом имени пишутся дважды: [[ и ]].\n"
                       "Пример ниже — первый из %1 файлов в папке «Отпуск», дата — сейчас.")
            .arg(kExampleCount),
        this);
    help->setTextFormat(Qt::PlainText);
    form()->addRow(QString(), help);

    watch(m_pattern);
    updateExample();
}

NamePatternOptions NamePatternDialog::options() const
{
    NamePatternOptions options;
    sdk::toField(m_pattern->text(), options.pattern);
    return options;
}

void NamePatternDialog::insertPlaceholder(const QString &placeholder)
{
    m_pattern->insert(placeholder);
    m_pattern->setFocus();
}

QString NamePatternDialog::optionsProblem() const
{
    const NamePatternOptions current = options();
    return QString::fromStdString(compilePattern(sdk::fieldText(current.pattern)).parsed.error);
}

void NamePatternDialog::appendExample(std::string_view fileName, std::string &out) const
{
    const NamePatternOptions current = options();
    const QDateTime now = QDateTime::currentDateTime();
    const datetime::DateParts date{now.date().year(), now.date().month(), now.date().day(),
                                   now.time().hour(), now.time().minute(), now.time().second()};
    appendPatternName(compilePattern(sdk::fieldText(current.pattern)),
                      {fileName, "/home/Отпуск/", 0, kExampleCount, &date}, out);
}

} // namespace brenmark::modules
