#include "ui/VxSeedDialog.h"

#include "game/VxSeed.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::deque<std::optional<uint64_t>> TVxSeedDialog::FNextAnswers;

std::optional<uint64_t> TVxSeedDialog::Ask(QWidget* parent, std::optional<uint64_t> suggested) {
    if (!FNextAnswers.empty()) {
        const std::optional<uint64_t> answer = FNextAnswers.front();
        FNextAnswers.pop_front();
        return answer;
    }
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DlgSeed"));
    dialog.setWindowTitle(QStringLiteral("シード指定ニューゲーム"));
    auto* label = new QLabel(
        QStringLiteral("新しいゲームの市場を作るシード (0〜%1)(&S):\n"
                       "同じシードのゲームは、ridolt-sim run --seed と同じ市場になります。")
            .arg(VxLargestSeed));
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("EditSeed"));
    edit->setMaxLength(20);
    if (suggested)
        edit->setText(QString::number(*suggested));
    edit->selectAll();
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    const auto check = [edit, ok] {
        ok->setEnabled(VxParseSeed(edit->text().toStdString()).has_value());
    };
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, check);
    check();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return VxParseSeed(edit->text().toStdString());
}

void TVxSeedDialog::SetNextAnswer(std::optional<uint64_t> answer) {
    FNextAnswers.push_back(answer);
}

void TVxSeedDialog::ClearNextAnswers() {
    FNextAnswers.clear();
}
