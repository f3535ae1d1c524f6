#include "ui/dialogs/VxRecordsDialog.h"

#include "components/VxColumnFitter.h"
#include "components/VxListView.h"
#include "ui/saves/VxRecordsFile.h"
#include "ui/words/VxAssetText.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

enum TColumn : int {
    rcEnd,
    rcSeed,
    rcFastest,
    rcTotal,
    rcFees,
    rcTax,
    rcTrades,
    rcBot,
    rcDate,
    rcColumnCount
};

// The dialog's texts.
QString Caption() {
    return QCoreApplication::translate("VxRecordsDialog", "記録");
}
QString Order() {
    return QCoreApplication::translate("VxRecordsDialog",
                                       "勝ったゲームは早い順、そのあとに破産したゲームです。"
                                       "★はそのシードでいちばん早い勝ちです。");
}
QString Nothing() {
    return QCoreApplication::translate("VxRecordsDialog", "まだ終わったゲームはありません。");
}
QString FastestMark() {
    return QStringLiteral("★");
}
QString ColumnCaption(int column) {
    switch (column) {
    case rcEnd:
        return QCoreApplication::translate("VxRecordsDialog", "結果");
    case rcSeed:
        return QCoreApplication::translate("VxRecordsDialog", "シード");
    case rcFastest:
        return QCoreApplication::translate("VxRecordsDialog", "最速");
    case rcTotal:
        return QCoreApplication::translate("VxRecordsDialog", "総資産");
    case rcFees:
        return QCoreApplication::translate("VxRecordsDialog", "手数料");
    case rcTax:
        return QCoreApplication::translate("VxRecordsDialog", "税");
    case rcTrades:
        return QCoreApplication::translate("VxRecordsDialog", "取引回数");
    case rcBot:
        return AssetBotName();
    default:
        return QCoreApplication::translate("VxRecordsDialog", "日時");
    }
}

// When a game ended, as the local clock shows it: "2025/06/01 21:04".
QString DateText(const std::string& date) {
    const QDateTime when = QDateTime::fromString(QString::fromStdString(date), Qt::ISODate);
    return when.isValid() ? when.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"))
                          : QString::fromStdString(date);
}

QString CellText(const TVxGameRecord& record, bool fastest, int column) {
    switch (column) {
    case rcEnd:
        return GameEndText(record.End);
    case rcSeed:
        return record.Seed ? QString::number(*record.Seed)
                           : QCoreApplication::translate("VxRecordsDialog", "なし");
    case rcFastest:
        return fastest ? FastestMark() : QString();
    case rcTotal:
        return MoneyText(record.Total);
    case rcFees:
        return YenText(record.FeesYen);
    case rcTax:
        return MoneyText(record.Tax);
    case rcTrades:
        return QCoreApplication::translate("VxRecordsDialog", "%1回")
            .arg(GroupedText(record.Trades));
    case rcBot:
        return record.BotTotal ? MoneyText(*record.BotTotal) : QStringLiteral("-");
    default:
        return DateText(record.Date);
    }
}

constexpr int PreferredWidth = 960;
constexpr int PreferredHeight = 420;

} // namespace

void TVxRecordsDialog::Show(QWidget* parent) {
    const TVxRecordsFile::TRead read = TVxRecordsFile::Read();
    const std::vector<size_t> order = VxRecordOrder(read.Records);
    const std::vector<bool> fastest = VxFastestOfSeed(read.Records);

    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DlgRecords"));
    dialog.setWindowTitle(Caption());
    auto* layout = new QVBoxLayout(&dialog);
    if (!read.Notice.isEmpty()) {
        auto* notice = new QLabel(read.Notice);
        notice->setObjectName(QStringLiteral("LblRecordsNotice"));
        notice->setWordWrap(true);
        layout->addWidget(notice);
    }
    auto* list = new TVxListView;
    list->setObjectName(QStringLiteral("VLVRecords"));
    list->setAccessibleName(Caption());
    list->setAccessibleDescription(order.empty() ? Nothing() : Order());
    for (int column = 0; column < rcColumnCount; ++column)
        list->AddColumn(ColumnCaption(column), 0,
                        column <= rcFastest || column == rcDate ? TVxAlignment::Left
                                                                : TVxAlignment::Right);
    list->SetColumnClick(false);
    list->SetOnData([&read, &order, &fastest](int row, int column) {
        const size_t index = order[static_cast<size_t>(row)];
        return CellText(read.Records[index], fastest[index], column);
    });
    list->SetItemCount(static_cast<int>(order.size()));
    auto* columns = new TVxColumnFitter(*list);
    columns->Measure(0, list->ItemCount() - 1);
    auto* explanation = new QLabel(order.empty() ? Nothing() : Order());
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    layout->addWidget(list, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)
        ->setText(QCoreApplication::translate("VxRecordsDialog", "閉じる"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    const QRect room =
        (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    dialog.resize(std::min(PreferredWidth, room.width()), std::min(PreferredHeight, room.height()));
    if (list->ItemCount() > 0)
        list->SelectAndFocus(0);
    list->setFocus();
    dialog.exec();
}
