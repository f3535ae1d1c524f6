#pragma once

// ゲーム → 記録: the finished games kept (TVxRecordsFile) as a list, wins
// the fastest first, then losses, the fastest win of each seed marked ★:
// how each ended, its seed, its final 総資産, fees, tax and trades, the
// trend rules' 総資産 beside it and when it ended.  The list has the keys
// and its first row when the dialog opens, and a screen reader reads it as
// it reads the game's other lists; Esc or Enter closes it.

class QWidget;

class TVxRecordsDialog {
public:
    // Shows the records modally over `parent`.
    static void Show(QWidget* parent);
};
