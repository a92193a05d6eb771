#include "information/ui/TfmInfo.h"

#include "information/ui/DialogParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

namespace brenmark {

namespace {

constexpr int fieldWidth = 209;

// The picture in the top band: the theme's information icon, or a drawn one.
QPixmap informationPicture()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("dialog-information"));
    if (!themed.isNull())
        return themed.pixmap(48, 48);
    QPixmap picture(50, 50);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(2, 105, 199), 2));
    painter.setBrush(QColor(79, 170, 253));
    painter.drawEllipse(QRectF(3, 3, 44, 44));
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(32);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(3, 3, 44, 44), Qt::AlignCenter, QStringLiteral("i"));
    return picture;
}

QLineEdit *createField(QWidget *parent, const QString &name, int x, int y)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setGeometry(x, y, fieldWidth, 21);
    return field;
}

QCheckBox *createBox(QWidget *parent, const QString &name, const QString &text, int x, int y)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(x, y, fieldWidth, 17);
    return box;
}

} // namespace

TfmInfo::TfmInfo(QWidget *parent)
    : QDialog(parent)
{
    setUpFixedDialog(this, QStringLiteral("fmInfo"), QStringLiteral("Информация о файле"), 541, 313);

    createWhiteBand(this, QStringLiteral("Shape1"), 56);
    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(8, 3, 50, 50);
    image1->setAlignment(Qt::AlignCenter);
    image1->setPixmap(informationPicture());
    setTitleFont(createLabel(this, QStringLiteral("Label5"), QStringLiteral("Информация о файле"), 317, 8));
    createBevel(this, QStringLiteral("Bevel2"), 0, 56, width(), true);

    createLabel(this, QStringLiteral("Label3"), QStringLiteral("текущее"), 184, 63);
    createLabel(this, QStringLiteral("Label4"), QStringLiteral("будущее"), 400, 63);
    createLabel(this, QStringLiteral("Label1"), QStringLiteral("Имя:"), 8, 85);
    createLabel(this, QStringLiteral("Label2"), QStringLiteral("Путь:"), 8, 117);
    createLabel(this, QStringLiteral("Label7"), QStringLiteral("Размер:"), 8, 149);
    createLabel(this, QStringLiteral("Label8"), QStringLiteral("CRC:"), 8, 181);
    createLabel(this, QStringLiteral("Label6"), QStringLiteral("Аттрибуты:"), 8, 215);
    createBevel(this, QStringLiteral("Bevel1"), 311, 82, 174, false);

    m_edNameNow = createField(this, QStringLiteral("edNameNow"), 96, 82);
    m_edNameAft = createField(this, QStringLiteral("edNameAft"), 319, 82);
    m_edPathNow = createField(this, QStringLiteral("edPathNow"), 96, 114);
    m_edPathAft = createField(this, QStringLiteral("edPathAft"), 319, 114);
    m_edSizeNow = createField(this, QStringLiteral("edSizeNow"), 96, 146);
    m_edSizeAft = createField(this, QStringLiteral("edSizeAft"), 319, 146);
    m_edCRCNow = createField(this, QStringLiteral("edCRCNow"), 96, 178);
    m_edCRCAft = createField(this, QStringLiteral("edCRCAft"), 319, 178);
    // The chain's effect on contents is never computed.
    m_edSizeAft->setText(QStringLiteral("?"));
    m_edCRCAft->setText(QStringLiteral("?"));

    auto *panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(96, 215, 431, 41);
    panel1->setEnabled(false);
    m_cbHidenNow = createBox(panel1, QStringLiteral("cbHidenNow"), QStringLiteral("скрытый"), 0, -1);
    m_cbRONow = createBox(panel1, QStringLiteral("cbRONow"), QStringLiteral("только чтение"), 0, 22);
    m_cbHidenAft = createBox(panel1, QStringLiteral("cbHidenAft"), QStringLiteral("скрытый"), 223, 0);
    m_cbROAft = createBox(panel1, QStringLiteral("cbROAft"), QStringLiteral("только чтение"), 223, 22);

    auto *groupBox1 = new QGroupBox(QStringLiteral("Talquist"), this);
    groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1->setGeometry(0, height() - 51, width(), 51);
    m_speedButton1 = new QToolButton(groupBox1);
    m_speedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    m_speedButton1->setText(QStringLiteral("OK"));
    m_speedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_speedButton1->setFocusPolicy(Qt::NoFocus);
    m_speedButton1->setGeometry(451, 14, 81, 27);
    connect(m_speedButton1, &QToolButton::clicked, this, &TfmInfo::SpeedButton1Click);
}

void TfmInfo::showInformation(const FileInformation &information)
{
    m_edNameNow->setText(information.nameNow);
    m_edPathNow->setText(information.folderNow);
    m_cbHidenNow->setChecked(information.hiddenNow);
    m_cbRONow->setChecked(information.readOnlyNow);
    m_edSizeNow->setText(information.sizeText);
    m_edCRCNow->setText(information.crcText);
    m_edNameAft->setText(information.nameAfter);
    m_edPathAft->setText(information.folderAfter);
    m_cbHidenAft->setChecked(false);
    m_cbROAft->setChecked(false);
    for (QLineEdit *field : {m_edNameNow, m_edPathNow, m_edNameAft, m_edPathAft})
        field->setCursorPosition(0);
}

void TfmInfo::N22Click(const std::string &path, const PreviewFunction &preview)
{
    showInformation(collectFileInformation(path, preview));
    exec();
}

void TfmInfo::SpeedButton1Click()
{
    accept();
}

} // namespace brenmark
