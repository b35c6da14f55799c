#pragma once
// The Hygrometer tab: the readouts in large type, Connect, and the further readouts below
// the design's page, reached by scrolling (or in view once the window is tall enough).
// Connect and the readouts follow the instrument session. Members are named by what they
// are; each control's object name is the design's (Edit20, Button1, ...).

#include <QPalette>
#include <QScrollArea>
#include <map>

#include "link/discovery.h"
#include "measure/measurement_worker.h"

class QLabel;
class QLineEdit;
class QPushButton;
class InstrumentSession;

class HygrometerPage : public QScrollArea {
    Q_OBJECT
  public:
    explicit HygrometerPage(QWidget* parent = nullptr);

    // What the readouts tell about their values.
    enum class ReadoutLook {
        Current,  // a whole record, just received
        Stale,    // polls have brought nothing since (the dew point says "Error")
        Suspect,  // the last reply was not a whole record: decoded, but not to be trusted
    };

    // Connect asks `session` to connect; what it answers shows here. Once, before use.
    void Attach(InstrumentSession& session);

    // The readouts in view.
    QLabel* DewPointCaption = nullptr;
    QLineEdit* DewPointReadout = nullptr;
    QLabel* AmbientTemperatureCaption = nullptr;
    QLineEdit* AmbientTemperatureReadout = nullptr;
    QLabel* RelativeHumidityCaption = nullptr;
    QLineEdit* RelativeHumidityReadout = nullptr;
    QPushButton* ConnectButton = nullptr;
    QPushButton* LoadChartButton = nullptr;  // plots a saved chart file
    QLabel* MakerLabel = nullptr;
    QLabel* ProductLabel = nullptr;
    QLabel* ProgramVersionLabel = nullptr;
    // Below the page's bottom edge.
    QLabel* RunTimeLabel = nullptr;
    QLabel* InstrumentVersionLabel = nullptr;  // the instrument's version and serial number
    QLabel* DeviceCaption = nullptr;
    QLabel* MirrorTemperatureCaption = nullptr;
    QLineEdit* MirrorTemperatureReadout = nullptr;
    QLabel* HeadTemperatureCaption = nullptr;
    QLineEdit* HeadTemperatureReadout = nullptr;
    QLabel* FrostLevelCaption = nullptr;
    QLineEdit* FrostLevelReadout = nullptr;
    QLabel* MirrorDewLevelCaption = nullptr;
    QLineEdit* MirrorDewLevelReadout = nullptr;
    QLineEdit* AuxValue4Readout = nullptr;
    QLineEdit* AuxValue3Readout = nullptr;
    QLineEdit* AuxValue2Readout = nullptr;
    QLineEdit* AuxValue1Readout = nullptr;
    // Hidden as well.
    QLabel* PeltierPowerCaption = nullptr;
    QLineEdit* PeltierPowerReadout = nullptr;
    QLabel* Output1CurrentCaption = nullptr;
    QLineEdit* Output1CurrentReadout = nullptr;
    QLabel* Output2CurrentCaption = nullptr;
    QLineEdit* Output2CurrentReadout = nullptr;

    // Every readout of a sample with data, and the readouts no longer greyed.
    void ShowSample(const SampleUpdate& update);

  public slots:
    void StartConnecting();

  private:
    void BuildBelowPage();
    // The run time, the version and the device caption share one row below the page: each
    // keeps its design place unless the text before it has grown into it.
    void PlaceStatusRow();
    void ShowNotFound(const DiscoveryResult& result);
    void ShowIdentified(const QString& identification);
    void ShowVersion(const InstrumentVersion& version);
    void ShowConnectFailed(const QString& message);
    void ShowConnected();
    void ShowConnectionLost();
    void ShowPollError();
    // Greys the readouts no sample has confirmed since a poll failed, so a stale value never
    // looks current; marks those of a reply that was not a whole record.
    void SetLook(ReadoutLook look);
    void EndScanCursor();

    QWidget* content_ = nullptr;  // the design's page and what lies below it
    InstrumentSession* session_ = nullptr;
    QString connectCaption_;  // Connect's caption before measuring
    bool scanCursor_ = false;
    ReadoutLook look_ = ReadoutLook::Current;
    std::map<QWidget*, QPalette> readoutPalettes_;
    std::map<QLineEdit*, int> designPixels_;
};
