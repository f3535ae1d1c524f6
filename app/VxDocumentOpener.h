#pragma once

// Hands a document to the desktop's program for its type, and tells when
// no program takes it.
//
// Qt hands documents to xdg-open where there is one and counts it a
// success as soon as xdg-open has started, also when xdg-open then finds no
// program and gives up (exit status 3: "no method available").  So where
// xdg-open is found it is run here and its exit status is what counts;
// elsewhere OpenFileWithAssociation (QDesktopServices) answers at once.

#include <QString>

#include <functional>

class QObject;

// Opens `path`; `notOpened` runs when no program takes it, at once or when
// xdg-open gives up.  xdg-open runs as a child of `context`: it is waited
// for while `context` lives, and `notOpened` never runs after.  xdg-open
// may wait for the program it starts, and ends with `context`; the program
// stays.
void OpenDocument(const QString& path, QObject& context, std::function<void()> notOpened);

// What opens a document as OpenDocument does: OpenDocument itself, or a
// test's stand-in.
using TVxDocumentOpener =
    std::function<void(const QString& path, QObject& context, std::function<void()> notOpened)>;
