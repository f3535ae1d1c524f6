#pragma once

// Modal message boxes of the game and the window, shown with QMessageBox:
// the exact caption and text ("\r\n" becomes a line break), the icon, OK or
// OK/Cancel and the default button.
//
// Tests answer boxes in advance: while answers are queued with
// SetNextAnswer, Show takes the next one instead of opening a box and
// records what it would have shown.

#include "game/VxMessageSinks.h"

#include <QCoreApplication>
#include <QString>

#include <deque>
#include <vector>

class QMessageBox;
class QWidget;

// One box as the caller asked for it.
struct TVxMessageBoxRequest {
    QString Caption;
    QString Text; // with "\r\n" already turned into "\n"
    TVxMsgIcon Icon = TVxMsgIcon::Information;
    TVxMsgButtons Buttons = TVxMsgButtons::Ok;
    TVxMsgResult DefaultButton = TVxMsgResult::Ok;

    // A question of the window: "確認", OK and Cancel, Cancel the default,
    // so that Enter at once changes nothing.
    static TVxMessageBoxRequest Question(const QString& text) {
        return {QCoreApplication::translate("VxQtMessageBox", "確認"), text, TVxMsgIcon::Question,
                TVxMsgButtons::OkCancel, TVxMsgResult::Cancel};
    }
    // An error of the window: "エラー", OK, the error icon.
    static TVxMessageBoxRequest Error(const QString& text) {
        return {QCoreApplication::translate("VxQtMessageBox", "エラー"), text, TVxMsgIcon::Error,
                TVxMsgButtons::Ok, TVxMsgResult::Ok};
    }
};

class TVxQtMessageBox : public IVxMessageBox {
public:
    // Boxes are modal to `parent`'s window.
    explicit TVxQtMessageBox(QWidget* parent) : FParent(parent) {}

    TVxMsgResult Show(const std::string& caption, const std::string& text, TVxMsgIcon icon,
                      TVxMsgButtons buttons, TVxMsgResult defaultButton) override;
    TVxMsgResult Show(const TVxMessageBoxRequest& request);

    // The box Show would open, not yet shown; the caller owns it.
    static QMessageBox* CreateBox(const TVxMessageBoxRequest& request, QWidget* parent);

    // Test seam: the answers of the next boxes, and the boxes they answered.
    static void SetNextAnswer(TVxMsgResult answer);
    static void ClearNextAnswers();
    static const std::vector<TVxMessageBoxRequest>& AnsweredRequests();

private:
    QWidget* FParent;
    static std::deque<TVxMsgResult> FNextAnswers;
    static std::vector<TVxMessageBoxRequest> FAnsweredRequests;
};
