#pragma once

// The question of シード指定ニューゲーム: which seed the new game's market
// is drawn from.  The seed is read as a player types it (VxSeedText.h:
// full-width digits and blanks around them are taken); a text that is no
// seed shows why under the box, and OK on it says so again instead of
// closing the dialog.
//
// Tests answer it in advance: while answers are queued with SetNextAnswer,
// Ask takes the next one instead of opening the dialog.

#include <cstdint>
#include <deque>
#include <optional>

class QWidget;

class TVxSeedDialog {
public:
    // The seed the player entered, starting from `suggested`; none when
    // the dialog was cancelled.
    static std::optional<uint64_t> Ask(QWidget* parent, std::optional<uint64_t> suggested);

    // Test seam: the answers of the next questions (none: cancelled).
    static void SetNextAnswer(std::optional<uint64_t> answer);
    static void ClearNextAnswers();

private:
    static std::deque<std::optional<uint64_t>> FNextAnswers;
};
