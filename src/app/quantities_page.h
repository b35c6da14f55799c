#pragma once
// The Quantities tab: every humidity quantity of the last sample with its unit, the dew
// point's window statistics, the stability verdict (and since when), the three criteria,
// kept between runs, and "Kopiuj punkt", which puts the calibration point on the clipboard.
// Its readouts grow with the window, to be read from across a lab.

#include <QDateTime>
#include <QWidget>
#include <optional>
#include <vector>

#include "measure/measurement_worker.h"

class QDoubleSpinBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class InstrumentSession;

class QuantitiesPage : public QWidget {
    Q_OBJECT
  public:
    explicit QuantitiesPage(QWidget* parent = nullptr);

    // Takes the kept criteria to the session and shows its samples. Once, before use.
    void Attach(InstrumentSession& session);

    // Shows one sample's quantities and its window.
    void ShowSample(const SampleUpdate& update);
    // Puts the point of the last sample's window onto the clipboard (a header line and a
    // value line, tab-separated) and returns it; empty before the first sample.
    QString CopyPoint();

    // One row of a readout: its caption, value and unit.
    struct Readout {
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
        QLabel* unit = nullptr;
    };

    QGroupBox* QuantitiesBox = nullptr;
    Readout DewPoint, AmbientTemperature, VapourPressure, FrostPoint, RelativeHumidity,
        RelativeHumidityIce, AbsoluteHumidity, MixingRatio, Ppmv, Pressure;
    QGroupBox* StatisticsBox = nullptr;
    Readout Mean, StandardDeviation, Minimum, Maximum, Drift, Count, Span;
    QLabel* VerdictLabel = nullptr;
    QLabel* StableForLabel = nullptr;
    QGroupBox* CriteriaBox = nullptr;
    QDoubleSpinBox* WindowEdit = nullptr;  // seconds
    QDoubleSpinBox* BandEdit = nullptr;    // degrees
    QDoubleSpinBox* DriftEdit = nullptr;   // degrees per hour
    QPushButton* CopyPointButton = nullptr;

  signals:
    // The verdict for the status bar, after each sample.
    void VerdictChanged(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    Readout AddReadout(QGridLayout* grid, const char* name, const QString& caption);
    void ShowCriteria(const humidity::StabilityCriteria& criteria);
    void ApplyCriteria();
    void ScaleFonts();

    InstrumentSession* session_ = nullptr;
    std::optional<SampleUpdate> last_;
    std::vector<QLabel*> captions_;
    std::vector<QLabel*> values_;
};
