#include "ui/dialogs/VxSeedDialog.h"

#include "app/VxSeedText.h"
#include "components/VxAccessibleLineEdit.h"
#include "components/VxNoticeLabel.h"
#include "game/VxSeed.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::deque<std::optional<uint64_t>> TVxSeedDialog::FNextAnswers;

namespace {

// The dialog's texts.
QString Caption() {
    return QCoreApplication::translate("VxSeedDialog", "シード指定ニューゲーム");
}
QString Question() {
    return QCoreApplication::translate("VxSeedDialog", "新しいゲームの市場のシード(&S):");
}
QString Note() {
    return QCoreApplication::translate("VxSeedDialog",
                                       "同じシードのゲームは、いつも同じ市場になります。");
}
QString Refusal() {
    return QCoreApplication::translate("VxSeedDialog", "0 から %1 までの整数").arg(VxLargestSeed);
}

// Room for a seed of full-width digits with blanks around it.
constexpr int MostCharacters = 64;

// The seed box and the reason under it, which it shows while its text is
// no seed.  A screen reader hears the reason as it appears, and with the
// box as its description (the note on seeds while the text is a seed).
class TSeedBox {
public:
    TSeedBox(QLineEdit& edit, TVxNoticeLabel& reason) : FEdit(edit), FReason(reason) {}

    void Check() {
        const bool refused = !VxParseSeedText(FEdit.text());
        FReason.SetNotice(refused ? Refusal() : QString());
        const QString description = refused ? Refusal() : Note();
        if (FEdit.accessibleDescription() != description)
            FEdit.setAccessibleDescription(description);
    }

    // OK on a refused text: the player hears and sees why again, and
    // types over the text, which is selected.
    void Refuse() {
        QApplication::beep();
        FReason.Announce();
        FEdit.selectAll();
        FEdit.setFocus();
    }

private:
    QLineEdit& FEdit;
    TVxNoticeLabel& FReason;
};

} // namespace

std::optional<uint64_t> TVxSeedDialog::Ask(QWidget* parent, std::optional<uint64_t> suggested) {
    if (!FNextAnswers.empty()) {
        const std::optional<uint64_t> answer = FNextAnswers.front();
        FNextAnswers.pop_front();
        return answer;
    }
    InstallAccessibleLineEdits();
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DlgSeed"));
    dialog.setWindowTitle(Caption());
    auto* label = new QLabel(Question());
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("EditSeed"));
    edit->setMaxLength(MostCharacters);
    if (suggested)
        edit->setText(QString::number(*suggested));
    edit->selectAll();
    label->setBuddy(edit);
    auto* reason = new TVxNoticeLabel;
    reason->setObjectName(QStringLiteral("LblSeedReason"));
    // Its room is there from the start, so the dialog does not jump.
    reason->setText(Refusal());
    auto* note = new QLabel(Note());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    TSeedBox box(*edit, *reason);
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, [&box] { box.Check(); });
    box.Check();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, &box, edit] {
        if (VxParseSeedText(edit->text()))
            dialog.accept();
        else
            box.Refuse();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(reason);
    layout->addWidget(note);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return VxParseSeedText(edit->text());
}

void TVxSeedDialog::SetNextAnswer(std::optional<uint64_t> answer) {
    FNextAnswers.push_back(answer);
}

void TVxSeedDialog::ClearNextAnswers() {
    FNextAnswers.clear();
}
