#pragma once
// The Hygrometer tab: the readouts in large type, Connect, and the further readouts below
// the design's page, reached by scrolling (or in view once the window is tall enough).
// Connect and the readouts follow the instrument session.

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
    QLabel* Label10 = nullptr;
    QLineEdit* Edit20 = nullptr;  // dew point
    QLabel* Label11 = nullptr;
    QLineEdit* Edit14 = nullptr;  // ambient temperature
    QLabel* Label8 = nullptr;
    QLineEdit* Edit6 = nullptr;  // relative humidity
    QPushButton* Connect = nullptr;
    QPushButton* Button1 = nullptr;  // loads a chart file
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* Label17 = nullptr;
    // Below the page's bottom edge.
    QLabel* Label35 = nullptr;  // running time
    QLabel* Label16 = nullptr;  // version and serial number
    QLabel* Label34 = nullptr;
    QLabel* Label23 = nullptr;
    QLineEdit* Edit15 = nullptr;  // mirror temperature
    QLabel* Label22 = nullptr;
    QLineEdit* Edit7 = nullptr;  // head temperature
    QLabel* Label21 = nullptr;
    QLineEdit* Edit13 = nullptr;  // frost
    QLabel* Label12 = nullptr;
    QLineEdit* Edit8 = nullptr;  // mirror dew coverage
    QLineEdit* Edit22 = nullptr;
    QLineEdit* Edit23 = nullptr;
    QLineEdit* Edit19 = nullptr;
    QLineEdit* Edit21 = nullptr;
    // Hidden as well.
    QLabel* Label13 = nullptr;
    QLineEdit* Edit9 = nullptr;  // Peltier power
    QLabel* Label14 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* Edit11 = nullptr;

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
