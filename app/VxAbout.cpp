#include "app/VxAbout.h"

#include "app/VxAppInfo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr int LabelLeft = 96;
constexpr int LabelWidth = 480 - LabelLeft - 8;
constexpr int IconSize = 32;

// The memo's first lines: where the author can be reached.
QStringList AddressLines() {
    return {VxAppInfo::HomePage(), VxAppInfo::Email(), QString()};
}

} // namespace

TVxAboutBox::TVxAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("VxAboutBox"));
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    setFixedSize(480, 280);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(32, 32, IconSize, IconSize);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(QApplication::windowIcon().pixmap(IconSize, IconSize));

    ProductName = new QLabel(this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(LabelLeft, 16, LabelWidth, 16);

    Copyright = new QLabel(this);
    Copyright->setObjectName(QStringLiteral("Copyright"));
    Copyright->setGeometry(LabelLeft, 32, LabelWidth, 16);

    Url = CreateLinkLabel(QStringLiteral("Url"), VxAppInfo::HomePage(),
                          QCoreApplication::translate("VxAbout", "ホームページ"));
    Url->move(LabelLeft, 56);
    Email = CreateLinkLabel(QStringLiteral("Email"), VxAppInfo::Email(),
                            QCoreApplication::translate("VxAbout", "メール"));
    Email->move(LabelLeft, 72);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 96, 465, 145);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the memo, so the keyboard can always reach the button.
    Memo1->setTabChangesFocus(true);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(200, 248, 81, 25);
    OKButton->setDefault(true);
    OKButton->setFocus();
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    Memo1->setPlainText(AddressLines().join(u'\n'));
}

QLabel* TVxAboutBox::CreateLinkLabel(const QString& name, const QString& text,
                                     const QString& hint) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->resize(LabelWidth, 16);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(hint);
    label->setForegroundRole(QPalette::Link);
    label->installEventFilter(this);
    return label;
}

void TVxAboutBox::SetInfo(const QString& applicationName, const QString& applicationVer,
                          const QString& copyrightInfo, const QStringList& comment) {
    setWindowTitle(
        QCoreApplication::translate("VxAbout", "%1 のバージョン情報").arg(applicationName));
    ProductName->setText(QStringLiteral("%1  Version %2").arg(applicationName, applicationVer));
    Copyright->setText(copyrightInfo);
    Memo1->setPlainText((AddressLines() + comment).join(u'\n'));
}

void TVxAboutBox::UrlClick() {
    QDesktopServices::openUrl(QUrl(VxAppInfo::HomePage()));
}

void TVxAboutBox::EmailClick() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + Email->text()));
}

bool TVxAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Url) {
            UrlClick();
            return true;
        }
        if (watched == Email) {
            EmailClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
