// What the operator sees, checked on what is drawn: every text whole in both languages, the
// readouts' widest texts, the status caption's colour, and a window that grows.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTest>
#include <limits>

#include "app/form_controls.h"
#include "app/main_window.h"
#include "measure/readout_format.h"
#include "texts/interface_language.h"

namespace {

// A label's text fits the rectangle it is drawn in, with its own font.
void ExpectLabelsWhole(const TForm1& form) {
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        EXPECT_LE(metrics.horizontalAdvance(label->text()), room.width());
        EXPECT_LE(metrics.height(), room.height());
    }
}

// Every item of a drop-down list fits the field the list draws its current item in.
void ExpectListItemsWhole(const TForm1& form) {
    for (const QComboBox* combo : form.findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.rect = combo->rect();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const QFontMetrics metrics(combo->font());
        for (int i = 0; i < combo->count(); ++i) {
            SCOPED_TRACE(combo->objectName().toStdString() + ": " +
                         combo->itemText(i).toStdString());
            EXPECT_LE(metrics.horizontalAdvance(combo->itemText(i)), field.width());
        }
    }
}

// A sample whose every field is `value`: the widest texts come from the word's extremes.
SampleUpdate SampleOfAll(std::int16_t value) {
    MeasurementSample s;
    s.DewPoint = s.RelativeHumidity = s.AmbientTemperature = s.MirrorTemperature =
        s.HeadTemperature = value;
    s.MirrorDewLevel = s.PeltierPower = static_cast<std::uint8_t>(value);
    s.FrostLevel = s.AuxValue1 = s.AuxValue2 = s.AuxValue3 = s.AuxValue4 = value;
    s.RunHalfDays = s.RunHours = s.RunSeconds = static_cast<std::uint16_t>(value);
    SampleUpdate update;
    update.sample = s;
    update.readouts = FormatReadouts(s, QLocale::c());
    update.replyBytes = 32;
    return update;
}

TEST(WindowLookTest, EveryLabelAndListItemIsWholeInBothLanguagesAlsoWithRunTimeTexts) {
    for (const InterfaceLanguage language :
         {InterfaceLanguage::Polish, InterfaceLanguage::English}) {
        SCOPED_TRACE(language == InterfaceLanguage::Polish ? "Polish" : "English");
        const InterfaceTranslator translator(language);
        ASSERT_TRUE(translator.Loaded());
        TForm1 form;
        ExpectLabelsWhole(form);
        ExpectListItemsWhole(form);

        // The texts written at run time into labels sized for their design text.
        form.HygrometerTab->ShowSample(SampleOfAll(-1));  // run time 65535 everywhere
        ShowLabelText(form.HygrometerTab->InstrumentVersionLabel,
                      QStringLiteral("KRT-10 wersja: 255 rewizja: 255 numer seyjny: 65535"));
        ShowLabelText(form.SettingsTab->StatusLabel, QStringLiteral("Urządzenie nie odpowiada !"));
        ExpectLabelsWhole(form);
    }
}

TEST(WindowLookTest, ReadoutsShowTheirWidestTextsWhole) {
    TForm1 form;
    struct Readout {
        QLineEdit* edit;
        int designPixels;
    };
    HygrometerPage& page = *form.HygrometerTab;
    const Readout readouts[] = {
        {page.DewPointReadout, kDewPointPixels},
        {page.AmbientTemperatureReadout, kReadoutPixels},
        {page.RelativeHumidityReadout, kReadoutPixels},
        {page.MirrorTemperatureReadout, kWindowFontPixels},
        {page.HeadTemperatureReadout, kWindowFontPixels},
        {page.FrostLevelReadout, kWindowFontPixels},
        {page.MirrorDewLevelReadout, kWindowFontPixels},
        {page.PeltierPowerReadout, kWindowFontPixels},
        {page.AuxValue2Readout, kWindowFontPixels},
        {page.AuxValue1Readout, kWindowFontPixels},
        {page.AuxValue4Readout, kWindowFontPixels},
        {page.AuxValue3Readout, kWindowFontPixels},
    };
    for (const std::int16_t value :
         {std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max(),
          std::int16_t{-1}, std::int16_t{0}}) {
        SCOPED_TRACE(value);
        page.ShowSample(SampleOfAll(value));
        for (const Readout& r : readouts) {
            SCOPED_TRACE(r.edit->objectName().toStdString() + " " + r.edit->text().toStdString());
            EXPECT_LE(QFontMetrics(r.edit->font()).horizontalAdvance(r.edit->text()),
                      EditTextRoom(r.edit).width());
            EXPECT_EQ(r.edit->cursorPosition(), 0) << "scrolled";
            EXPECT_LE(r.edit->font().pixelSize(), r.designPixels);
        }
    }
    // A short text goes back to the design's size.
    page.ShowSample(SampleOfAll(0));
    EXPECT_EQ(page.DewPointReadout->font().pixelSize(), kDewPointPixels);
    EXPECT_EQ(page.AmbientTemperatureReadout->font().pixelSize(), kReadoutPixels);
}

// The status caption is bold red on the screen, not only in its palette.
TEST(WindowLookTest, StatusCaptionIsDrawnRed) {
    TForm1 form;
    QLabel* label = form.SettingsTab->StatusLabel;
    ShowLabelText(label, QStringLiteral("Zapisano!"));
    label->show();
    EXPECT_TRUE(label->font().bold());
    const QImage image = label->grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    }
    EXPECT_GT(red, 20);
}

TEST(WindowLookTest, TheWindowGrowsWithTheChartAndTheReadoutsBelowComeIntoView) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QSize design = form.size();
    HygrometerPage& hygrometer = *form.HygrometerTab;
    const auto inView = [&](const QWidget* control) {
        const QRect shown(control->mapTo(hygrometer.viewport(), QPoint(0, 0)), control->size());
        return hygrometer.viewport()->rect().contains(shown);
    };
    const QRect connectAt = hygrometer.ConnectButton->geometry();
    const QRect listAt = form.SettingsTab->DisplayUnitList->geometry();

    const auto chartFitsItsPage = [&] {
        form.Tabs->setCurrentWidget(form.ChartTab);
        QTest::qWait(20);
        EXPECT_EQ(form.ChartTab->Chart->geometry(), form.ChartTab->rect());
        EXPECT_EQ(form.ChartTab->Chart->parentWidget()->geometry().size(), form.ChartTab->size());
        const int width = form.ChartTab->Chart->width();
        form.Tabs->setCurrentWidget(form.HygrometerTab);
        QTest::qWait(20);
        return width;
    };

    // At the design's size the chart fits its page, and the readouts below it scroll.
    EXPECT_LT(chartFitsItsPage(), 753);
    EXPECT_TRUE(hygrometer.verticalScrollBar()->isVisible());
    EXPECT_FALSE(inView(hygrometer.HeadTemperatureReadout));

    // Not below the design.
    form.resize(500, 400);
    QTest::qWait(20);
    EXPECT_EQ(form.size(), design);

    form.resize(design.width() + 400, design.height() + 300);
    QTest::qWait(20);
    EXPECT_GT(chartFitsItsPage(), 1100);
    EXPECT_FALSE(hygrometer.verticalScrollBar()->isVisible());
    for (const QWidget* below : std::initializer_list<const QWidget*>{
             hygrometer.HeadTemperatureReadout, hygrometer.MirrorDewLevelReadout,
             hygrometer.MirrorTemperatureReadout, hygrometer.FrostLevelReadout,
             hygrometer.AuxValue1Readout}) {
        SCOPED_TRACE(below->objectName().toStdString());
        EXPECT_TRUE(inView(below));
    }
    EXPECT_TRUE(hygrometer.PeltierPowerReadout->isHidden()) << "hidden controls stay hidden";
    EXPECT_EQ(hygrometer.ConnectButton->geometry(), connectAt);
    EXPECT_EQ(form.SettingsTab->DisplayUnitList->geometry(), listAt);
    EXPECT_EQ(form.StatusBar->geometry().bottom(), form.height() - 1);
}

}  // namespace
