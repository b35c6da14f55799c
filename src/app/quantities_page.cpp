#include "app/quantities_page.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/quantity_texts.h"
#include "app/stability_settings.h"
#include "measure/calibration_point.h"
#include "session/instrument_session.h"

namespace {

// The page at the window's smallest size, and the fonts it has there; larger, the readouts
// grow in proportion (up to four times) so they can be read from across a lab.
constexpr QSize kDesignSize(745, 520);
constexpr double kLargestGrowth = 4.0;
constexpr int kCaptionPixels = 12;
constexpr int kValuePixels = 16;
constexpr int kVerdictPixels = 22;

// Significant digits shown: enough for 0.01 % where it matters, no more.
constexpr int kQuantityDigits = 5;
constexpr int kTemperatureDecimals = 2;
// The spread and the drift are read against limits of a few hundredths.
constexpr int kSpreadDigits = 4;

const QColor kStableBackground(0, 150, 70);
const QColor kUnstableBackground(190, 40, 30);

QString Temperature(std::optional<double> value, const QLocale& locale) {
    return value ? locale.toString(*value, 'f', kTemperatureDecimals) : QStringLiteral("—");
}

void SetPixels(QWidget* widget, int pixels, bool bold) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

void ShowVerdictLook(QLabel* label, bool stable) {
    // A style sheet, as the window's style may draw a label's palette its own way.
    label->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: white; }")
                             .arg((stable ? kStableBackground : kUnstableBackground).name()));
}

}  // namespace

QuantitiesPage::QuantitiesPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet5"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);

    auto* top = new QHBoxLayout;
    page->addLayout(top, 1);
    QuantitiesBox = new QGroupBox(tr("Wielkości ostatniej próbki"), this);
    QuantitiesBox->setObjectName(QStringLiteral("QuantitiesBox"));
    auto* quantities = new QGridLayout(QuantitiesBox);
    DewPoint = AddReadout(quantities, "DewPoint", tr("Punkt rosy"));
    AmbientTemperature = AddReadout(quantities, "AmbientTemperature", tr("Temperatura otoczenia"));
    VapourPressure = AddReadout(quantities, "VapourPressure", tr("Ciśnienie pary wodnej"));
    FrostPoint = AddReadout(quantities, "FrostPoint", tr("Punkt szronu"));
    RelativeHumidity =
        AddReadout(quantities, "RelativeHumidity", tr("Wilgotność względna (obliczona)"));
    RelativeHumidityIce =
        AddReadout(quantities, "RelativeHumidityIce", tr("Wilgotność względna nad lodem"));
    AbsoluteHumidity = AddReadout(quantities, "AbsoluteHumidity", tr("Wilgotność bezwzględna"));
    MixingRatio = AddReadout(quantities, "MixingRatio", tr("Stosunek zmieszania"));
    Ppmv = AddReadout(quantities, "Ppmv", tr("Udział objętościowy"));
    Pressure = AddReadout(quantities, "Pressure", tr("Ciśnienie"));
    top->addWidget(QuantitiesBox, 3);

    StatisticsBox = new QGroupBox(tr("Okno punktu rosy"), this);
    StatisticsBox->setObjectName(QStringLiteral("StatisticsBox"));
    auto* statistics = new QGridLayout(StatisticsBox);
    Mean = AddReadout(statistics, "Mean", tr("Średnia"));
    StandardDeviation = AddReadout(statistics, "StandardDeviation", tr("Odchylenie standardowe"));
    Minimum = AddReadout(statistics, "Minimum", tr("Minimum"));
    Maximum = AddReadout(statistics, "Maximum", tr("Maksimum"));
    Drift = AddReadout(statistics, "Drift", tr("Dryf"));
    Count = AddReadout(statistics, "Count", tr("Liczba próbek"));
    Span = AddReadout(statistics, "Span", tr("Okres"));
    statistics->setRowStretch(statistics->rowCount(), 1);
    top->addWidget(StatisticsBox, 2);

    auto* verdict = new QHBoxLayout;
    page->addLayout(verdict);
    VerdictLabel = new QLabel(VerdictText(false, {}), this);
    VerdictLabel->setObjectName(QStringLiteral("VerdictLabel"));
    VerdictLabel->setTextFormat(Qt::PlainText);
    VerdictLabel->setAlignment(Qt::AlignCenter);
    VerdictLabel->setMargin(4);
    ShowVerdictLook(VerdictLabel, false);
    StableForLabel = new QLabel(this);
    StableForLabel->setObjectName(QStringLiteral("StableForLabel"));
    StableForLabel->setTextFormat(Qt::PlainText);
    verdict->addWidget(VerdictLabel, 3);
    verdict->addWidget(StableForLabel, 2);

    auto* bottom = new QHBoxLayout;
    page->addLayout(bottom);
    CriteriaBox = new QGroupBox(tr("Kryteria stabilności"), this);
    CriteriaBox->setObjectName(QStringLiteral("CriteriaBox"));
    auto* criteria = new QHBoxLayout(CriteriaBox);
    const auto addEdit = [&](const char* name, const QString& caption, double lowest,
                             double highest, int decimals, double step) {
        auto* label = new QLabel(caption, CriteriaBox);
        label->setTextFormat(Qt::PlainText);
        auto* edit = new QDoubleSpinBox(CriteriaBox);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setRange(lowest, highest);
        edit->setDecimals(decimals);
        edit->setSingleStep(step);
        edit->setKeyboardTracking(false);
        label->setBuddy(edit);
        criteria->addWidget(label);
        criteria->addWidget(edit);
        connect(edit, &QDoubleSpinBox::valueChanged, this, &QuantitiesPage::ApplyCriteria);
        return edit;
    };
    WindowEdit = addEdit("WindowEdit", tr("Okno [s]"), 10.0, 31.0 * 24 * 3600, 0, 60.0);
    BandEdit = addEdit("BandEdit", tr("Pasmo [°]"), 0.0, 100.0, 3, 0.01);
    DriftEdit = addEdit("DriftEdit", tr("Dryf [°/h]"), 0.0, 1000.0, 3, 0.01);
    bottom->addWidget(CriteriaBox, 1);
    CopyPointButton = new QPushButton(tr("Kopiuj punkt"), this);
    CopyPointButton->setObjectName(QStringLiteral("CopyPointButton"));
    CopyPointButton->setEnabled(false);
    connect(CopyPointButton, &QPushButton::clicked, this, [this] { CopyPoint(); });
    bottom->addWidget(CopyPointButton);

    ShowCriteria(humidity::StabilityCriteria{});
    ScaleFonts();
    // Laid out at the design's size at once, as the other pages are placed, so the controls
    // have their places before the tab is first shown.
    resize(kDesignSize);
    layout()->activate();
    // A hidden box is not laid out by its own resize: each is asked, inside out.
    for (QGroupBox* box : {QuantitiesBox, StatisticsBox, CriteriaBox}) {
        box->layout()->activate();
    }
}

QuantitiesPage::Readout QuantitiesPage::AddReadout(QGridLayout* grid, const char* name,
                                                   const QString& caption) {
    const int row = grid->rowCount();
    Readout r;
    QWidget* box = grid->parentWidget();
    r.caption = new QLabel(caption, box);
    r.value = new QLabel(QStringLiteral("—"), box);
    r.unit = new QLabel(box);
    const QString base = QString::fromLatin1(name);
    r.caption->setObjectName(base + QStringLiteral("Caption"));
    r.value->setObjectName(base + QStringLiteral("Value"));
    r.unit->setObjectName(base + QStringLiteral("Unit"));
    for (QLabel* label : {r.caption, r.value, r.unit}) {
        label->setTextFormat(Qt::PlainText);
    }
    r.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(r.caption, row, 0);
    grid->addWidget(r.value, row, 1);
    grid->addWidget(r.unit, row, 2);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(4);
    grid->setContentsMargins(6, 6, 6, 6);
    captions_.push_back(r.caption);
    captions_.push_back(r.unit);
    values_.push_back(r.value);
    return r;
}

void QuantitiesPage::Attach(InstrumentSession& session) {
    session_ = &session;
    const QSettings settings(QString::fromLatin1(kSettingsOrganization),
                             QString::fromLatin1(kSettingsApplication));
    const humidity::StabilityCriteria kept = LoadStabilityCriteria(settings);
    session.SetStabilityCriteria(kept);
    ShowCriteria(kept);
    connect(&session, &InstrumentSession::SampleReady, this, &QuantitiesPage::ShowSample);
}

void QuantitiesPage::ShowCriteria(const humidity::StabilityCriteria& criteria) {
    for (QDoubleSpinBox* edit : {WindowEdit, BandEdit, DriftEdit}) {
        edit->blockSignals(true);
    }
    WindowEdit->setValue(criteria.windowSeconds);
    BandEdit->setValue(criteria.bandDegrees);
    DriftEdit->setValue(criteria.driftDegreesPerHour);
    for (QDoubleSpinBox* edit : {WindowEdit, BandEdit, DriftEdit}) {
        edit->blockSignals(false);
    }
}

void QuantitiesPage::ApplyCriteria() {
    if (session_ == nullptr) {
        return;
    }
    humidity::StabilityCriteria criteria = session_->CurrentStabilityCriteria();
    criteria.windowSeconds = WindowEdit->value();
    criteria.bandDegrees = BandEdit->value();
    criteria.driftDegreesPerHour = DriftEdit->value();
    if (session_->SetStabilityCriteria(criteria)) {
        QSettings settings(QString::fromLatin1(kSettingsOrganization),
                           QString::fromLatin1(kSettingsApplication));
        SaveStabilityCriteria(settings, criteria);
    }
}

void QuantitiesPage::ShowSample(const SampleUpdate& update) {
    if (!update.humidity) {
        return;
    }
    last_ = update;
    CopyPointButton->setEnabled(true);
    const humidity::SampleHumidity& h = *update.humidity;
    const humidity::HumidityQuantities& q = h.quantities;
    const humidity::WindowStatistics& w = h.statistics;
    const QLocale locale;
    const QString degrees = TemperatureUnit(h.scale);
    const auto quantity = [&](const Readout& r, std::optional<double> value, const QString& unit) {
        r.value->setText(QuantityReadout(value, q.problems, kQuantityDigits, locale));
        r.unit->setText(unit);
    };

    DewPoint.value->setText(locale.toString(update.sample.DewPoint / 100.0, 'f', 2));
    DewPoint.unit->setText(degrees);
    AmbientTemperature.value->setText(
        locale.toString(update.sample.AmbientTemperature / 100.0, 'f', 2));
    AmbientTemperature.unit->setText(degrees);
    quantity(VapourPressure, q.vapourPressurePa, QStringLiteral("Pa"));
    quantity(FrostPoint, q.frostPoint, degrees);
    if (q.frostPoint) {
        FrostPoint.value->setText(Temperature(q.frostPoint, locale));
    }
    quantity(RelativeHumidity, q.relativeHumidityCalculated, QStringLiteral("%"));
    quantity(RelativeHumidityIce, q.relativeHumidityIce, QStringLiteral("%"));
    quantity(AbsoluteHumidity, q.absoluteHumidityGPerM3, QStringLiteral("g/m³"));
    quantity(MixingRatio, q.mixingRatioGPerKg, QStringLiteral("g/kg"));
    quantity(Ppmv, q.ppmv, QStringLiteral("ppmv"));
    Pressure.caption->setText(tr("Ciśnienie (%1)").arg(PressureSourceText(h.pressureSource)));
    Pressure.value->setText(locale.toString(q.pressureHpa, 'f', 2));
    Pressure.unit->setText(QStringLiteral("hPa"));

    const QString perHour = degrees + QStringLiteral("/h");
    Mean.value->setText(Temperature(w.mean, locale));
    Mean.unit->setText(degrees);
    StandardDeviation.value->setText(
        w.standardDeviation ? SignificantNumber(*w.standardDeviation, kSpreadDigits, locale)
                            : QStringLiteral("—"));
    StandardDeviation.unit->setText(degrees);
    Minimum.value->setText(Temperature(w.minimum, locale));
    Minimum.unit->setText(degrees);
    Maximum.value->setText(Temperature(w.maximum, locale));
    Maximum.unit->setText(degrees);
    Drift.value->setText(w.driftPerHour ? SignificantNumber(*w.driftPerHour, kSpreadDigits, locale)
                                        : QStringLiteral("—"));
    Drift.unit->setText(perHour);
    Count.value->setText(locale.toString(static_cast<qulonglong>(w.count)));
    Span.value->setText(locale.toString(w.spanSeconds, 'f', 0));
    Span.unit->setText(QStringLiteral("s"));

    QDateTime since;
    if (w.stableSince) {
        since = QDateTime::fromMSecsSinceEpoch(std::llround(*w.stableSince * 1000.0));
    }
    VerdictLabel->setText(VerdictText(w.stable, since));
    ShowVerdictLook(VerdictLabel, w.stable);
    StableForLabel->setText(
        w.stable ? tr("czas stabilności: %1").arg(StableForText(since.secsTo(update.dateTime)))
                 : tr("okno: %1 z %2 s")
                       .arg(locale.toString(w.spanSeconds, 'f', 0),
                            locale.toString(h.criteria.windowSeconds, 'f', 0)));
    emit VerdictChanged(StatusVerdictText(w.stable, since));
}

QString QuantitiesPage::CopyPoint() {
    if (!last_ || !last_->humidity) {
        return {};
    }
    const QString text =
        CalibrationPointTable(CalibrationPointFields(last_->dateTime, *last_->humidity));
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(text);
    }
    return text;
}

void QuantitiesPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ScaleFonts();
}

void QuantitiesPage::ScaleFonts() {
    const double growth = std::clamp(
        std::min(double(width()) / kDesignSize.width(), double(height()) / kDesignSize.height()),
        1.0, kLargestGrowth);
    const auto scaled = [growth](int pixels) { return static_cast<int>(pixels * growth); };
    for (QLabel* label : captions_) {
        SetPixels(label, scaled(kCaptionPixels), false);
    }
    for (QLabel* label : values_) {
        SetPixels(label, scaled(kValuePixels), true);
    }
    SetPixels(VerdictLabel, scaled(kVerdictPixels), true);
    SetPixels(StableForLabel, scaled(kCaptionPixels + 2), false);
}
