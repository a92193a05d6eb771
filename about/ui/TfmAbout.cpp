#include "about/ui/TfmAbout.h"

#include "about/core/AboutLogo.h"
#include "about/ui/LinkLabel.h"
#include "information/ui/DialogParts.h"
#include "main/ui/ModuleListRows.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>

#include <exception>

namespace brenmark {

namespace {

const char notice[] = "Программа распространяется бесплатно и может свободно\n"
                      "использоваться в некоммерческих целях.\n"
                      "\n"
                      "Автор не несёт ответственности за возможный вред,\n"
                      "причинённый вашему компьютеру при её использовании.";

} // namespace

QString TfmAbout::homePageAddress()
{
    return QStringLiteral("https://brenmark.example.org/");
}

QString TfmAbout::mailAddress()
{
    return QStringLiteral("korvane@brenmark.example.org");
}

QString TfmAbout::programName()
{
    return QStringLiteral("Korvane Brenmark");
}

TfmAbout::TfmAbout(QWidget *parent)
    : QDialog(parent)
{
    setUpFixedDialog(this, QStringLiteral("fmAbout"), QStringLiteral("О программе"), 447, 348);

    createWhiteBand(this, QStringLiteral("Shape1"), 56);
    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(6, 3, 50, 50);
    try {
        image1->setPixmap(QPixmap::fromImage(aboutLogo()));
    } catch (const std::exception &) {
        // The logo is compiled in and tested; a dialog without it still works.
    }
    setTitleFont(createLabel(this, QStringLiteral("Label5"), programName(), 297, 5));
    createLabel(this, QStringLiteral("Label6"), QStringLiteral("Версия 0.6.9"), 376, 26)
        ->setAttribute(Qt::WA_TranslucentBackground);
    createBevel(this, QStringLiteral("Bevel1"), 0, 56, width(), true);

    auto *label1 = new QLabel(QString::fromUtf8(notice), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    label1->setGeometry(59, 62, 329, 65);

    createLabel(this, QStringLiteral("Label4"), QStringLiteral("Модули:"), 3, 139);
    m_lvAbout = new QTreeWidget(this);
    m_lvAbout->setObjectName(QStringLiteral("lvAbout"));
    m_lvAbout->setGeometry(3, 154, 440, 136);
    m_lvAbout->setRootIsDecorated(false);
    m_lvAbout->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvAbout->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvAbout->setIconSize(QSize(16, 16));
    m_lvAbout->header()->setStretchLastSection(false);
    setAboutListColumns(m_lvAbout);
    const int widths[] = {115, 154, 52, 60, 48};
    for (int column = 0; column < 5; ++column)
        m_lvAbout->setColumnWidth(column, widths[column]);

    m_label7 = new LinkLabel(homePageAddress(), QUrl(homePageAddress()), this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setToolTip(QStringLiteral("Перейти на домашнюю страницу программы"));
    m_label7->move(8, 296);
    m_label7->adjustSize();

    const QString mail = QStringLiteral("mailto:") + mailAddress() + QStringLiteral("?subject=") + programName();
    m_label3 = new LinkLabel(QStringLiteral("e-mail: ") + mailAddress(), QUrl(mail), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setToolTip(QStringLiteral("Написать письмо автору"));
    m_label3->move(8, 311);
    m_label3->adjustSize();

    createLabel(this, QStringLiteral("Label2"), QStringLiteral("Все права на модули принадлежат их авторам."), 8, 327);

    auto *button1 = new QPushButton(QStringLiteral("OK"), this);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setGeometry(358, 315, 75, 25);
    button1->setDefault(true);
    connect(button1, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace brenmark
