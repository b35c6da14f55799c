#pragma once
// The chart: feeding the live samples into Chart1, and "Wczytaj wykres" (a saved file).

#include <QObject>

#include "measure/measurement_worker.h"

class TForm1;

class ChartHandlers : public QObject {
    Q_OBJECT
public:
    explicit ChartHandlers(TForm1& form);

    // One point per series for a sample with data, on the user-interface thread.
    void AddSample(const SampleUpdate& update);

public slots:
    void Button1Click();

private:
    TForm1& form_;
};
