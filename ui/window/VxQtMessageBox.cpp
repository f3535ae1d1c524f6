#include "ui/window/VxQtMessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

std::deque<TVxMsgResult> TVxQtMessageBox::FNextAnswers;
std::vector<TVxMessageBoxRequest> TVxQtMessageBox::FAnsweredRequests;

namespace {

QMessageBox::Icon ToQtIcon(TVxMsgIcon icon) {
    switch (icon) {
    case TVxMsgIcon::Warning:
        return QMessageBox::Warning;
    case TVxMsgIcon::Question:
        return QMessageBox::Question;
    case TVxMsgIcon::Error:
        return QMessageBox::Critical;
    case TVxMsgIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButton ToQtButton(TVxMsgResult result) {
    return result == TVxMsgResult::Cancel ? QMessageBox::Cancel : QMessageBox::Ok;
}

} // namespace

TVxMsgResult TVxQtMessageBox::Show(const std::string& caption, const std::string& text,
                                   TVxMsgIcon icon, TVxMsgButtons buttons,
                                   TVxMsgResult defaultButton) {
    TVxMessageBoxRequest request;
    request.Caption = QString::fromStdString(caption);
    request.Text =
        QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    request.Icon = icon;
    request.Buttons = buttons;
    request.DefaultButton = defaultButton;
    return Show(request);
}

TVxMsgResult TVxQtMessageBox::Show(const TVxMessageBoxRequest& request) {
    if (!FNextAnswers.empty()) {
        const TVxMsgResult answer = FNextAnswers.front();
        FNextAnswers.pop_front();
        FAnsweredRequests.push_back(request);
        return answer;
    }
    const std::unique_ptr<QMessageBox> box(CreateBox(request, FParent));
    // Closing the box by its frame or Esc is the safe answer: Cancel where
    // there is one.
    return box->exec() == QMessageBox::Ok ? TVxMsgResult::Ok : TVxMsgResult::Cancel;
}

QMessageBox* TVxQtMessageBox::CreateBox(const TVxMessageBoxRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(ToQtIcon(request.Icon), request.Caption, request.Text,
                                             QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    // The buttons carry the game's own texts, whatever language Qt speaks.
    box->addButton(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    if (request.Buttons == TVxMsgButtons::OkCancel)
        box->addButton(QMessageBox::Cancel)
            ->setText(QCoreApplication::translate("VxQtMessageBox", "キャンセル"));
    const TVxMsgResult defaultButton =
        request.Buttons == TVxMsgButtons::Ok ? TVxMsgResult::Ok : request.DefaultButton;
    box->setDefaultButton(ToQtButton(defaultButton));
    box->setEscapeButton(
        box->button(request.Buttons == TVxMsgButtons::Ok ? QMessageBox::Ok : QMessageBox::Cancel));
    return box.release();
}

void TVxQtMessageBox::SetNextAnswer(TVxMsgResult answer) {
    FNextAnswers.push_back(answer);
}

void TVxQtMessageBox::ClearNextAnswers() {
    FNextAnswers.clear();
    FAnsweredRequests.clear();
}

const std::vector<TVxMessageBoxRequest>& TVxQtMessageBox::AnsweredRequests() {
    return FAnsweredRequests;
}
