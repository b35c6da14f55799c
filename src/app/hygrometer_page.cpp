#include "app/hygrometer_page.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "app/error_box.h"
#include "app/form_controls.h"
#include "app/info_box.h"
#include "link/instrument_protocol.h"
#include "session/connect_texts.h"
#include "session/instrument_session.h"

namespace {

// Grey for a readout that no sample has confirmed since a poll failed; amber for one
// decoded from a reply that was not a whole record.
const QColor kStaleText(150, 150, 150);
const QColor kSuspectText(255, 176, 0);

// The design's page with the readouts below it (the hidden ones aside); the tab scrolls when
// it is smaller.
constexpr QSize kContentSize(730, 716);
constexpr int kInstrumentVersionX = 128;
constexpr int kDeviceCaptionX = 192;

// Which readout shows which text of a sample, in the order they are written.
struct ReadoutBinding {
    QString MeasurementReadouts::*text;
    QLineEdit* HygrometerPage::*edit;
};
constexpr std::array<ReadoutBinding, 12> kReadouts = {{
    {&MeasurementReadouts::DewPoint, &HygrometerPage::DewPointReadout},
    {&MeasurementReadouts::HeadTemperature, &HygrometerPage::HeadTemperatureReadout},
    {&MeasurementReadouts::MirrorDewLevel, &HygrometerPage::MirrorDewLevelReadout},
    {&MeasurementReadouts::PeltierPower, &HygrometerPage::PeltierPowerReadout},
    {&MeasurementReadouts::RelativeHumidity, &HygrometerPage::RelativeHumidityReadout},
    {&MeasurementReadouts::FrostLevel, &HygrometerPage::FrostLevelReadout},
    {&MeasurementReadouts::AmbientTemperature, &HygrometerPage::AmbientTemperatureReadout},
    {&MeasurementReadouts::MirrorTemperature, &HygrometerPage::MirrorTemperatureReadout},
    {&MeasurementReadouts::AuxValue1, &HygrometerPage::AuxValue1Readout},
    {&MeasurementReadouts::AuxValue2, &HygrometerPage::AuxValue2Readout},
    {&MeasurementReadouts::AuxValue3, &HygrometerPage::AuxValue3Readout},
    {&MeasurementReadouts::AuxValue4, &HygrometerPage::AuxValue4Readout},
}};

}  // namespace

HygrometerPage::HygrometerPage(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    content_ = new QWidget(this);  // takes the window's font while it is built
    content_->setObjectName(QStringLiteral("TabSheet3Content"));
    content_->setMinimumSize(kContentSize);
    QWidget* page = content_;
    const FontLook caption{kReadoutCaptionPixels, false};
    const QColor teal(0, 128, 128);

    DewPointCaption = MakeLabel(page, "Label10", tr("Temperatura punktu rosy", "Label10"),
                                QRect(48, 32, 184, 20), FontLook{kLargeTextPixels, false});
    DewPointReadout = MakeEdit(page, "Edit20", "- - - - -", QRect(11, 56, 249, 105));
    MakeReadout(DewPointReadout, kDewPointPixels, QColor(128, 0, 0), QColor(255, 0, 0));

    AmbientTemperatureCaption = MakeLabel(page, "Label11", tr("Temperatura otoczenia", "Label11"),
                                          QRect(112, 192, 139, 16), caption);
    AmbientTemperatureReadout = MakeEdit(page, "Edit14", "- - - - -", QRect(128, 216, 129, 59));
    MakeReadout(AmbientTemperatureReadout, kReadoutPixels, teal, QColor());

    RelativeHumidityCaption = MakeLabel(page, "Label8", tr("Wilgotność względna [%]", "Label8"),
                                        QRect(104, 320, 150, 16), caption);
    RelativeHumidityReadout = MakeEdit(page, "Edit6", "- - - -", QRect(128, 344, 121, 59));
    MakeReadout(RelativeHumidityReadout, kReadoutPixels, teal, QColor());

    ConnectButton = MakeButton(page, "Connect", tr("Połącz", "Connect"), QRect(432, 200, 105, 81),
                               FontLook{kLargeTextPixels, false});
    LoadChartButton =
        MakeButton(page, "Button1", tr("Wczytaj wykres", "Button1"), QRect(440, 376, 97, 25));

    const FontLook maker{kLargeTextPixels, true};
    MakerLabel = MakeLabel(page, "StaticText1", "NIVIon", QRect(512, 32, 196, 24), maker);
    ProductLabel = MakeLabel(page, "StaticText2", "Hygrometer", QRect(544, 56, 112, 24), maker);
    ProgramVersionLabel = MakeLabel(page, "Label17", "v. 2.22", QRect(688, 504, 33, 13));

    BuildBelowPage();
    setWidget(content_);
    // The tab's own background shows through, as on the other pages.
    viewport()->setAutoFillBackground(false);
    content_->setAutoFillBackground(false);

    for (const ReadoutBinding& readout : kReadouts) {
        QLineEdit* edit = this->*(readout.edit);
        readoutPalettes_[edit] = edit->palette();
        designPixels_[edit] = edit->font().pixelSize();
        ShowReadoutText(edit, edit->text(), designPixels_[edit]);
    }
    readoutPalettes_[RunTimeLabel] = RunTimeLabel->palette();
}

// Readouts placed below the design's page: they receive every sample (the log copies some
// of their texts); the page scrolls down to them.
void HygrometerPage::BuildBelowPage() {
    QWidget* page = content_;
    RunTimeLabel = MakeLabel(page, "Label35", tr("Czas pracy", "Label35"), QRect(40, 576, 0, 0));
    InstrumentVersionLabel =
        MakeLabel(page, "Label16", tr("Status", "Label16"), QRect(kInstrumentVersionX, 576, 0, 0));
    DeviceCaption =
        MakeLabel(page, "Label34", tr("Urzadzenie:", "Label34"), QRect(kDeviceCaptionX, 576, 0, 0));

    MirrorTemperatureCaption =
        MakeLabel(page, "Label23", tr("Temperatura lustra", "Label23"), QRect(32, 624, 0, 0));
    MirrorTemperatureReadout = MakeEdit(page, "Edit15", "- - - -", QRect(24, 648, 105, 56));
    HeadTemperatureCaption =
        MakeLabel(page, "Label22", tr("Temperatura glowicy", "Label22"), QRect(176, 624, 0, 0));
    HeadTemperatureReadout = MakeEdit(page, "Edit7", "- - - -", QRect(176, 648, 105, 59));
    FrostLevelCaption = MakeLabel(page, "Label21", tr("Szron", "Label21"), QRect(336, 656, 0, 0));
    FrostLevelReadout = MakeEdit(page, "Edit13", "Edit13", QRect(336, 672, 89, 27));
    MirrorDewLevelCaption =
        MakeLabel(page, "Label12", tr("Zaroszenie lustra [jp]", "Label12"), QRect(448, 656, 0, 0));
    MirrorDewLevelReadout = MakeEdit(page, "Edit8", "Edit8", QRect(448, 672, 97, 28));

    AuxValue4Readout = MakeEdit(page, "Edit22", "Edit22", QRect(336, 600, 89, 21));
    AuxValue3Readout = MakeEdit(page, "Edit23", "Edit23", QRect(448, 600, 97, 21));
    AuxValue2Readout = MakeEdit(page, "Edit19", "Edit19", QRect(336, 624, 89, 21));
    AuxValue1Readout = MakeEdit(page, "Edit21", "Edit21", QRect(448, 624, 97, 21));

    PeltierPowerCaption =
        MakeLabel(page, "Label13", tr("Moc peltiera [jp]", "Label13"), QRect(384, 728, 0, 0));
    PeltierPowerReadout = MakeEdit(page, "Edit9", "Edit9", QRect(384, 752, 97, 28));
    Output1CurrentCaption =
        MakeLabel(page, "Label14", tr("Wyjscie 1 [mA]", "Label14"), QRect(104, 728, 0, 0));
    Output1CurrentReadout = MakeEdit(page, "Edit10", "Edit10", QRect(104, 752, 97, 28));
    Output2CurrentCaption =
        MakeLabel(page, "Label15", tr("Wyjscie 2 [mA]", "Label15"), QRect(232, 728, 0, 0));
    Output2CurrentReadout = MakeEdit(page, "Edit11", "Edit11", QRect(232, 752, 97, 28));
    for (QWidget* widget : std::initializer_list<QWidget*>{
             PeltierPowerCaption, PeltierPowerReadout, Output1CurrentCaption, Output1CurrentReadout,
             Output2CurrentCaption, Output2CurrentReadout}) {
        widget->hide();
    }
}

void HygrometerPage::Attach(InstrumentSession& session) {
    session_ = &session;
    connect(ConnectButton, &QPushButton::clicked, this, &HygrometerPage::StartConnecting);
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
    connect(&session, &InstrumentSession::RecordFailed, this,
            [this](const QString& message) { ShowErrorBox(window(), message); });
    connect(&session, &InstrumentSession::StateChanged, this, [this](SessionState state) {
        if (state == SessionState::Stopped) {
            EndScanCursor();
        }
    });
}

void HygrometerPage::StartConnecting() {
    const SessionState before = session_->State();
    if (session_->Connect() != SessionRequest::Started || before != SessionState::NotConnected) {
        return;  // measuring, or a retry after a loss that the status bar follows
    }
    ConnectButton->setEnabled(false);
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
    ConnectButton->setEnabled(true);
    ShowInfoBox(window(), NotFoundCaption(), NotFoundCaption() + "\n\n" + NotFoundDetails(result));
}

void HygrometerPage::ShowIdentified(const QString& identification) {
    EndScanCursor();
    ShowInfoBox(window(), IdentificationCaption(), identification);
    session_->ContinueConnect();  // after the operator has read it
}

void HygrometerPage::ShowVersion(const InstrumentVersion& version) {
    ShowLabelText(InstrumentVersionLabel, VersionText(version));
    PlaceStatusRow();
    ConnectButton->setEnabled(false);
}

void HygrometerPage::ShowConnectFailed(const QString& message) {
    // Without a log nothing may be measured; the port is closed so the operator can fix the
    // directory and connect again.
    ShowErrorBox(window(), message);
    ConnectButton->setEnabled(true);
}

void HygrometerPage::ShowConnected() {
    if (connectCaption_.isEmpty()) {
        connectCaption_ = ConnectButton->text();
    }
    ConnectButton->setText(MeasuringCaption());
    ConnectButton->setEnabled(false);
}

void HygrometerPage::ShowConnectionLost() {
    // Connect retries at once; the session retries by itself meanwhile.
    ConnectButton->setText(connectCaption_);
    ConnectButton->setEnabled(true);
    SetLook(ReadoutLook::Stale);
}

void HygrometerPage::ShowSample(const SampleUpdate& update) {
    SetLook(update.replyBytes == kMeasurementReplySize ? ReadoutLook::Current
                                                       : ReadoutLook::Suspect);
    for (const ReadoutBinding& readout : kReadouts) {
        QLineEdit* edit = this->*(readout.edit);
        ShowReadoutText(edit, update.readouts.*(readout.text), designPixels_[edit]);
    }
    ShowLabelText(RunTimeLabel, update.readouts.RunTime);
    PlaceStatusRow();
}

void HygrometerPage::PlaceStatusRow() {
    constexpr int kGap = 12;
    const QLabel* before = RunTimeLabel;
    for (QLabel* label : {InstrumentVersionLabel, DeviceCaption}) {
        const int designX = label == InstrumentVersionLabel ? kInstrumentVersionX : kDeviceCaptionX;
        label->move(std::max(designX, before->geometry().right() + 1 + kGap), label->y());
        before = label;
    }
}

void HygrometerPage::ShowPollError() {
    ShowReadoutText(DewPointReadout, "Error", designPixels_[DewPointReadout]);
    SetLook(ReadoutLook::Stale);
}

void HygrometerPage::SetLook(ReadoutLook look) {
    if (look == look_) {
        return;
    }
    look_ = look;
    for (const auto& [readout, normal] : readoutPalettes_) {
        readout->setPalette(normal);
        // "Error" in the dew point's own colours says enough there.
        const bool stale = look == ReadoutLook::Stale && readout != DewPointReadout;
        if (stale || look == ReadoutLook::Suspect) {
            SetTextColour(readout, stale ? kStaleText : kSuspectText);
        }
    }
}
