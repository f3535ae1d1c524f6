#pragma once

// Stand-ins that the application frame's tests share: a desktop that
// records what the program asks it to open, and a window that counts how
// often it is closed.  A test that includes this header ends with
// #include "moc_AppTestSupport.cpp".

#include <QCloseEvent>
#include <QList>
#include <QObject>
#include <QUrl>
#include <QWidget>

// Put in with QDesktopServices::setUrlHandler(scheme, &recorder, "Open").
class TUrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened.append(url); }
};

class TCountingWindow : public QWidget {
    Q_OBJECT
public:
    int CloseEvents = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++CloseEvents;
        QWidget::closeEvent(event);
    }
};
