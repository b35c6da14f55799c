#include "app/hygrometer_page.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "app/connect_texts.h"
#include "app/error_box.h"
#include "app/form_controls.h"
#include "app/info_box.h"
#include "session/instrument_session.h"

namespace {

// Grey for a readout that no sample has confirmed since a poll failed.
const QColor kStaleText(150, 150, 150);

// The widest texts each large readout has to show in full.
QStringList DewPointSamples() {
    return {"- - - - -", "-88.88", "Error"};
}
QStringList TemperatureSamples() {
    return {"- - - - -", "-88.88"};
}
QStringList HumiditySamples() {
    return {"- - - -", "100.00"};
}

// Which readout shows which text of a sample, in the order they are written.
struct ReadoutBinding {
    QString MeasurementReadouts::*text;
    QLineEdit* HygrometerPage::*edit;
};
constexpr std::array<ReadoutBinding, 12> kReadouts = {{
    {&MeasurementReadouts::DewPoint, &HygrometerPage::Edit20},
    {&MeasurementReadouts::HeadTemperature, &HygrometerPage::Edit7},
    {&MeasurementReadouts::MirrorDewLevel, &HygrometerPage::Edit8},
    {&MeasurementReadouts::PeltierPower, &HygrometerPage::Edit9},
    {&MeasurementReadouts::RelativeHumidity, &HygrometerPage::Edit6},
    {&MeasurementReadouts::FrostLevel, &HygrometerPage::Edit13},
    {&MeasurementReadouts::AmbientTemperature, &HygrometerPage::Edit14},
    {&MeasurementReadouts::MirrorTemperature, &HygrometerPage::Edit15},
    {&MeasurementReadouts::AuxValue1, &HygrometerPage::Edit21},
    {&MeasurementReadouts::AuxValue2, &HygrometerPage::Edit19},
    {&MeasurementReadouts::AuxValue3, &HygrometerPage::Edit23},
    {&MeasurementReadouts::AuxValue4, &HygrometerPage::Edit22},
}};

}  // namespace

HygrometerPage::HygrometerPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    const FontLook caption{kReadoutCaptionPixels, false};
    const QColor teal(0, 128, 128);

    Label10 = MakeLabel(this, "Label10", tr("Temperatura punktu rosy", "Label10"),
                        QRect(48, 32, 184, 20), FontLook{kLargeTextPixels, false});
    Edit20 = MakeEdit(this, "Edit20", "- - - - -", QRect(11, 56, 249, 105));
    MakeReadout(Edit20, kDewPointPixels, QColor(128, 0, 0), QColor(255, 0, 0), DewPointSamples());

    Label11 = MakeLabel(this, "Label11", tr("Temperatura otoczenia", "Label11"),
                        QRect(112, 192, 139, 16), caption);
    Edit14 = MakeEdit(this, "Edit14", "- - - - -", QRect(128, 216, 129, 59));
    MakeReadout(Edit14, kReadoutPixels, teal, QColor(), TemperatureSamples());

    Label8 = MakeLabel(this, "Label8", tr("Wilgotność względna [%]", "Label8"),
                       QRect(104, 320, 150, 16), caption);
    Edit6 = MakeEdit(this, "Edit6", "- - - -", QRect(128, 344, 121, 59));
    MakeReadout(Edit6, kReadoutPixels, teal, QColor(), HumiditySamples());

    Connect = MakeButton(this, "Connect", tr("Połącz", "Connect"), QRect(432, 200, 105, 81),
                         FontLook{kLargeTextPixels, false});
    Button1 = MakeButton(this, "Button1", tr("Wczytaj wykres", "Button1"), QRect(440, 376, 97, 25));

    const FontLook maker{kLargeTextPixels, true};
    StaticText1 = MakeLabel(this, "StaticText1", "NIVIon", QRect(512, 32, 196, 24), maker);
    StaticText2 = MakeLabel(this, "StaticText2", "Hygrometer", QRect(544, 56, 112, 24), maker);
    Label17 = MakeLabel(this, "Label17", "v. 2.22", QRect(688, 504, 33, 13));

    BuildBelowPage();

    for (const ReadoutBinding& readout : kReadouts) {
        QLineEdit* edit = this->*(readout.edit);
        if (edit != Edit20) {
            readoutPalettes_[edit] = edit->palette();
        }
    }
    readoutPalettes_[Label35] = Label35->palette();
}

// Readouts placed below the page's bottom edge: they receive every sample (the log copies
// some of their texts) but the window never shows them.
void HygrometerPage::BuildBelowPage() {
    Label35 = MakeLabel(this, "Label35", tr("Czas pracy", "Label35"), QRect(40, 576, 0, 0));
    Label16 = MakeLabel(this, "Label16", tr("Status", "Label16"), QRect(128, 576, 0, 0));
    Label34 = MakeLabel(this, "Label34", tr("Urzadzenie:", "Label34"), QRect(192, 576, 0, 0));

    Label23 = MakeLabel(this, "Label23", tr("Temperatura lustra", "Label23"), QRect(32, 624, 0, 0));
    Edit15 = MakeEdit(this, "Edit15", "- - - -", QRect(24, 648, 105, 56));
    Label22 =
        MakeLabel(this, "Label22", tr("Temperatura glowicy", "Label22"), QRect(176, 624, 0, 0));
    Edit7 = MakeEdit(this, "Edit7", "- - - -", QRect(176, 648, 105, 59));
    Label21 = MakeLabel(this, "Label21", tr("Szron", "Label21"), QRect(336, 656, 0, 0));
    Edit13 = MakeEdit(this, "Edit13", "Edit13", QRect(336, 672, 89, 27));
    Label12 =
        MakeLabel(this, "Label12", tr("Zaroszenie lustra [jp]", "Label12"), QRect(448, 656, 0, 0));
    Edit8 = MakeEdit(this, "Edit8", "Edit8", QRect(448, 672, 97, 28));

    Edit22 = MakeEdit(this, "Edit22", "Edit22", QRect(336, 600, 89, 21));
    Edit23 = MakeEdit(this, "Edit23", "Edit23", QRect(448, 600, 97, 21));
    Edit19 = MakeEdit(this, "Edit19", "Edit19", QRect(336, 624, 89, 21));
    Edit21 = MakeEdit(this, "Edit21", "Edit21", QRect(448, 624, 97, 21));

    Label13 = MakeLabel(this, "Label13", tr("Moc peltiera [jp]", "Label13"), QRect(384, 728, 0, 0));
    Edit9 = MakeEdit(this, "Edit9", "Edit9", QRect(384, 752, 97, 28));
    Label14 = MakeLabel(this, "Label14", tr("Wyjscie 1 [mA]", "Label14"), QRect(104, 728, 0, 0));
    Edit10 = MakeEdit(this, "Edit10", "Edit10", QRect(104, 752, 97, 28));
    Label15 = MakeLabel(this, "Label15", tr("Wyjscie 2 [mA]", "Label15"), QRect(232, 728, 0, 0));
    Edit11 = MakeEdit(this, "Edit11", "Edit11", QRect(232, 752, 97, 28));
    for (QWidget* widget :
         std::initializer_list<QWidget*>{Label13, Edit9, Label14, Edit10, Label15, Edit11}) {
        widget->hide();
    }
}

void HygrometerPage::Attach(InstrumentSession& session) {
    session_ = &session;
    connect(Connect, &QPushButton::clicked, this, &HygrometerPage::ConnectClick);
    connect(&session, &InstrumentSession::NotFound, this, &HygrometerPage::ShowNotFound);
    connect(&session, &InstrumentSession::Identified, this, &HygrometerPage::ShowIdentified);
    connect(&session, &InstrumentSession::VersionRead, this, &HygrometerPage::ShowVersion);
    connect(&session, &InstrumentSession::ConnectFailed, this, &HygrometerPage::ShowConnectFailed);
    connect(&session, &InstrumentSession::Connected, this, &HygrometerPage::ShowConnected);
    connect(&session, &InstrumentSession::ConnectionLost, this,
            &HygrometerPage::ShowConnectionLost);
    connect(&session, &InstrumentSession::SampleReady, this, &HygrometerPage::ShowSample);
    connect(&session, &InstrumentSession::PollFailed, this, &HygrometerPage::ShowPollError);
    connect(&session, &InstrumentSession::LogFailed, this,
            [this](const QString& message) { ShowErrorBox(window(), message); });
    connect(&session, &InstrumentSession::StateChanged, this, [this](SessionState state) {
        if (state == SessionState::Stopped) {
            EndScanCursor();
        }
    });
}

void HygrometerPage::ConnectClick() {
    const SessionState before = session_->State();
    if (session_->Connect() != SessionRequest::Started || before != SessionState::NotConnected) {
        return;  // measuring, or a retry after a loss that the status bar follows
    }
    Connect->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    scanCursor_ = true;
}

void HygrometerPage::EndScanCursor() {
    if (scanCursor_) {
        QApplication::restoreOverrideCursor();
        scanCursor_ = false;
    }
}

void HygrometerPage::ShowNotFound(const DiscoveryResult& result) {
    EndScanCursor();
    Connect->setEnabled(true);
    ShowInfoBox(window(), NotFoundCaption(), NotFoundCaption() + "\n\n" + NotFoundDetails(result));
}

void HygrometerPage::ShowIdentified(const QString& identification) {
    EndScanCursor();
    ShowInfoBox(window(), IdentificationCaption(), identification);
    session_->ContinueConnect();  // after the operator has read it
}

void HygrometerPage::ShowVersion(const InstrumentVersion& version) {
    Label16->setText(VersionText(version));
    Connect->setEnabled(false);
}

void HygrometerPage::ShowConnectFailed(const QString& message) {
    // Without a log nothing may be measured; the port is closed so the operator can fix the
    // directory and connect again.
    ShowErrorBox(window(), message);
    Connect->setEnabled(true);
}

void HygrometerPage::ShowConnected() {
    if (connectCaption_.isEmpty()) {
        connectCaption_ = Connect->text();
    }
    Connect->setText(MeasuringCaption());
    Connect->setEnabled(false);
}

void HygrometerPage::ShowConnectionLost() {
    // Connect retries at once; the session retries by itself meanwhile.
    Connect->setText(connectCaption_);
    Connect->setEnabled(true);
    SetReadoutsStale(true);
}

void HygrometerPage::ShowSample(const SampleUpdate& update) {
    SetReadoutsStale(false);
    for (const ReadoutBinding& readout : kReadouts) {
        (this->*(readout.edit))->setText(update.readouts.*(readout.text));
    }
    Label35->setText(update.readouts.RunTime);
}

void HygrometerPage::ShowPollError() {
    Edit20->setText("Error");
    SetReadoutsStale(true);
}

void HygrometerPage::SetReadoutsStale(bool stale) {
    if (stale == readoutsStale_) {
        return;
    }
    readoutsStale_ = stale;
    for (const auto& [readout, normal] : readoutPalettes_) {
        QPalette palette = normal;
        if (stale) {
            palette.setColor(QPalette::Text, kStaleText);
            palette.setColor(QPalette::WindowText, kStaleText);
        }
        readout->setPalette(palette);
    }
}
