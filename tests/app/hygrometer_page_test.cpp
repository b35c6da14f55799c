// The Hygrometer page shows each text of a sample in its own control.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "app/hygrometer_page.h"

namespace {

TEST(HygrometerPageTest, EachReadoutGoesToItsControl) {
    struct Case {
        QString MeasurementReadouts::*field;
        const char* control;
    };
    const Case cases[] = {
        {&MeasurementReadouts::DewPoint, "Edit20"},
        {&MeasurementReadouts::HeadTemperature, "Edit7"},
        {&MeasurementReadouts::MirrorDewLevel, "Edit8"},
        {&MeasurementReadouts::PeltierPower, "Edit9"},
        {&MeasurementReadouts::RelativeHumidity, "Edit6"},
        {&MeasurementReadouts::FrostLevel, "Edit13"},
        {&MeasurementReadouts::AmbientTemperature, "Edit14"},
        {&MeasurementReadouts::MirrorTemperature, "Edit15"},
        {&MeasurementReadouts::AuxValue1, "Edit21"},
        {&MeasurementReadouts::AuxValue2, "Edit19"},
        {&MeasurementReadouts::AuxValue3, "Edit23"},
        {&MeasurementReadouts::AuxValue4, "Edit22"},
        {&MeasurementReadouts::RunTime, "Label35"},
    };
    SampleUpdate update;
    for (const Case& c : cases) {
        update.readouts.*(c.field) = QString("text of %1").arg(c.control);
    }
    HygrometerPage page;
    page.ShowSample(update);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        const QObject* control = page.findChild<QObject*>(c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->property("text").toString(), QString("text of %1").arg(c.control));
    }
}

}  // namespace
