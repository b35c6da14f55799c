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
constexpr int kLabel16X = 128;
constexpr int kLabel34X = 192;

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

    Label10 = MakeLabel(page, "Label10", tr("Temperatura punktu rosy", "Label10"),
                        QRect(48, 32, 184, 20), FontLook{kLargeTextPixels, false});
    Edit20 = MakeEdit(page, "Edit20", "- - - - -", QRect(11, 56, 249, 105));
    MakeReadout(Edit20, kDewPointPixels, QColor(128, 0, 0), QColor(255, 0, 0));

    Label11 = MakeLabel(page, "Label11", tr("Temperatura otoczenia", "Label11"),
                        QRect(112, 192, 139, 16), caption);
    Edit14 = MakeEdit(page, "Edit14", "- - - - -", QRect(128, 216, 129, 59));
    MakeReadout(Edit14, kReadoutPixels, teal, QColor());

    Label8 = MakeLabel(page, "Label8", tr("Wilgotność względna [%]", "Label8"),
                       QRect(104, 320, 150, 16), caption);
    Edit6 = MakeEdit(page, "Edit6", "- - - -", QRect(128, 344, 121, 59));
    MakeReadout(Edit6, kReadoutPixels, teal, QColor());

    Connect = MakeButton(page, "Connect", tr("Połącz", "Connect"), QRect(432, 200, 105, 81),
                         FontLook{kLargeTextPixels, false});
    Button1 = MakeButton(page, "Button1", tr("Wczytaj wykres", "Button1"), QRect(440, 376, 97, 25));

    const FontLook maker{kLargeTextPixels, true};
    StaticText1 = MakeLabel(page, "StaticText1", "NIVIon", QRect(512, 32, 196, 24), maker);
    StaticText2 = MakeLabel(page, "StaticText2", "Hygrometer", QRect(544, 56, 112, 24), maker);
    Label17 = MakeLabel(page, "Label17", "v. 2.22", QRect(688, 504, 33, 13));

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
    readoutPalettes_[Label35] = Label35->palette();
}

// Readouts placed below the design's page: they receive every sample (the log copies some
// of their texts); the page scrolls down to them.
void HygrometerPage::BuildBelowPage() {
    QWidget* page = content_;
    Label35 = MakeLabel(page, "Label35", tr("Czas pracy", "Label35"), QRect(40, 576, 0, 0));
    Label16 = MakeLabel(page, "Label16", tr("Status", "Label16"), QRect(kLabel16X, 576, 0, 0));
    Label34 = MakeLabel(page, "Label34", tr("Urzadzenie:", "Label34"), QRect(kLabel34X, 576, 0, 0));

    Label23 = MakeLabel(page, "Label23", tr("Temperatura lustra", "Label23"), QRect(32, 624, 0, 0));
    Edit15 = MakeEdit(page, "Edit15", "- - - -", QRect(24, 648, 105, 56));
    Label22 =
        MakeLabel(page, "Label22", tr("Temperatura glowicy", "Label22"), QRect(176, 624, 0, 0));
    Edit7 = MakeEdit(page, "Edit7", "- - - -", QRect(176, 648, 105, 59));
    Label21 = MakeLabel(page, "Label21", tr("Szron", "Label21"), QRect(336, 656, 0, 0));
    Edit13 = MakeEdit(page, "Edit13", "Edit13", QRect(336, 672, 89, 27));
    Label12 =
        MakeLabel(page, "Label12", tr("Zaroszenie lustra [jp]", "Label12"), QRect(448, 656, 0, 0));
    Edit8 = MakeEdit(page, "Edit8", "Edit8", QRect(448, 672, 97, 28));

    Edit22 = MakeEdit(page, "Edit22", "Edit22", QRect(336, 600, 89, 21));
    Edit23 = MakeEdit(page, "Edit23", "Edit23", QRect(448, 600, 97, 21));
    Edit19 = MakeEdit(page, "Edit19", "Edit19", QRect(336, 624, 89, 21));
    Edit21 = MakeEdit(page, "Edit21", "Edit21", QRect(448, 624, 97, 21));

    Label13 = MakeLabel(page, "Label13", tr("Moc peltiera [jp]", "Label13"), QRect(384, 728, 0, 0));
    Edit9 = MakeEdit(page, "Edit9", "Edit9", QRect(384, 752, 97, 28));
    Label14 = MakeLabel(page, "Label14", tr("Wyjscie 1 [mA]", "Label14"), QRect(104, 728, 0, 0));
    Edit10 = MakeEdit(page, "Edit10", "Edit10", QRect(104, 752, 97, 28));
    Label15 = MakeLabel(page, "Label15", tr("Wyjscie 2 [mA]", "Label15"), QRect(232, 728, 0, 0));
    Edit11 = MakeEdit(page, "Edit11", "Edit11", QRect(232, 752, 97, 28));
    for (QWidget* widget :
         std::initializer_list<QWidget*>{Label13, Edit9, Label14, Edit10, Label15, Edit11}) {
        widget->hide();
    }
}

void HygrometerPage::Attach(InstrumentSession& session) {
    session_ = &session;
    connect(Connect, &QPushButton::clicked, this, &HygrometerPage::StartConnecting);
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
    ShowLabelText(Label16, VersionText(version));
    PlaceStatusRow();
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
    SetLook(ReadoutLook::Stale);
}

void HygrometerPage::ShowSample(const SampleUpdate& update) {
    SetLook(update.replyBytes == kMeasurementReplySize ? ReadoutLook::Current
                                                       : ReadoutLook::Suspect);
    for (const ReadoutBinding& readout : kReadouts) {
        QLineEdit* edit = this->*(readout.edit);
        ShowReadoutText(edit, update.readouts.*(readout.text), designPixels_[edit]);
    }
    ShowLabelText(Label35, update.readouts.RunTime);
    PlaceStatusRow();
}

void HygrometerPage::PlaceStatusRow() {
    constexpr int kGap = 12;
    const QLabel* before = Label35;
    for (QLabel* label : {Label16, Label34}) {
        const int designX = label == Label16 ? kLabel16X : kLabel34X;
        label->move(std::max(designX, before->geometry().right() + 1 + kGap), label->y());
        before = label;
    }
}

void HygrometerPage::ShowPollError() {
    ShowReadoutText(Edit20, "Error", designPixels_[Edit20]);
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
        const bool stale = look == ReadoutLook::Stale && readout != Edit20;
        if (stale || look == ReadoutLook::Suspect) {
            SetTextColour(readout, stale ? kStaleText : kSuspectText);
        }
    }
}
