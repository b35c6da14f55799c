#pragma once
// How messages to the operator name a control of the Settings tab.

#include <QString>
#include <QStringView>

// The caption label text beside `control` (a design name such as "Edit5"), with its group
// in front where two controls share a caption ("Alarm 1: Próg górny"). Unknown names come
// back unchanged.
QString SettingsControlCaption(QStringView control);
