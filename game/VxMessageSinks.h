#pragma once

// The window's two ways of speaking to the player: lines in the message log
// and modal message boxes.  What the game tells (VxGameEvents.h) reaches
// the player through them, and so do the window's own questions and errors.

#include <string>

class IVxMessageLog {
public:
    virtual ~IVxMessageLog() = default;
    // Appends one line and scrolls so that it is visible.
    virtual void Append(const std::string& line) = 0;
    virtual void Clear() = 0;
    // Suspends and resumes repainting while many lines may arrive.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

enum class TVxMsgIcon { Information, Warning, Question, Error };
enum class TVxMsgButtons { Ok, OkCancel };
enum class TVxMsgResult { Ok, Cancel };

class IVxMessageBox {
public:
    virtual ~IVxMessageBox() = default;
    // Shows a modal box and returns the button chosen.
    virtual TVxMsgResult Show(const std::string& caption, const std::string& text, TVxMsgIcon icon,
                              TVxMsgButtons buttons, TVxMsgResult defaultButton) = 0;
};
