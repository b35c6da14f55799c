#pragma once
// How messages to the operator name a control of the Settings tab.

#include <QString>
#include <QStringView>

// The caption label text beside `control` (a design name such as "Edit5") in the
// interface's language, with its group in front where two controls share a caption
// ("Alarm 1: Próg górny", "Output 1: Min value"). Unknown names come back unchanged.
QString SettingsControlCaption(QStringView control, bool englishUi);
