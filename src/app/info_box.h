#pragma once

#include <QString>

class QWidget;

// A modal message box with one OK button; the text is always plain text, since it may
// carry bytes the instrument sent.
void ShowInfoBox(QWidget* parent, const QString& caption, const QString& text);
