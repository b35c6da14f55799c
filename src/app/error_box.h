#pragma once
// The standard error box: the handlers' way of reporting a failed step to the operator.

#include <QString>

class QWidget;

// The text the box shows: the message with "." appended when its last character sorts
// after the full stop (so "Disk full" gets one, "abc." and "Stop!" do not).
QString ErrorBoxText(const QString& message);

// Shows `message` modally with the application title as caption, an error icon and an OK
// button; returns when the operator has closed it. The text is always shown as plain text.
void ShowErrorBox(QWidget* parent, const QString& message);
