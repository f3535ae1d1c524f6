#pragma once

// The about box: the program's icon, name and version, copyright, the
// author's home page and e-mail (both open on a click) and a memo with the
// addresses and the action's comment lines.  A fixed 480 x 280 dialog that
// the about action creates for one showing.

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TVxAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TVxAboutBox(QWidget* parent = nullptr);

    // Caption "<name> のバージョン情報", product line "<name>  Version <ver>",
    // copyright, and the comment lines below the three address lines of the
    // memo.  Filling again replaces everything.
    void SetInfo(const QString& applicationName, const QString& applicationVer,
                 const QString& copyrightInfo, const QStringList& comment);

    // Opens the home page in the browser.
    void UrlClick();
    // Starts a new mail to the address the Email label shows.
    void EmailClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* CreateLinkLabel(const QString& name, const QString& text, const QString& hint);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Url = nullptr;
    QLabel* Email = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* OKButton = nullptr;
};
