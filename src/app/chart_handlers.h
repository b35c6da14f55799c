#pragma once
// The chart: feeding the live samples into Chart1, and "Wczytaj wykres" (a saved file).

#include <QObject>
#include <QString>

#include "measure/measurement_worker.h"

class TForm1;

class ChartHandlers : public QObject {
    Q_OBJECT
  public:
    explicit ChartHandlers(TForm1& form);

    // One point per series for a sample with data, on the user-interface thread.
    void AddSample(const SampleUpdate& update);

    // Plots a chart file: Series1 emptied, the file's two columns onto Series1 and Series2
    // in one batch, drawn once; a failure in the error box.
    void LoadFile(const QString& path);

  public slots:
    // OpenDialog1, then LoadFile; a cancelled dialog changes nothing.
    void Button1Click();

  private:
    TForm1& form_;
};
