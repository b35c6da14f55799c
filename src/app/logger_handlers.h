#pragma once
// The Logger tab: one record on demand, and the dump of all 256 to "logged.txt".

#include <QObject>

class InstrumentLink;
class TForm1;

class LoggerHandlers : public QObject {
    Q_OBJECT
public:
    LoggerHandlers(TForm1& form, InstrumentLink& link, bool englishUi);

public slots:
    void Button3Click();
    void Button4Click();

private:
    TForm1& form_;
    InstrumentLink& link_;
    const bool englishUi_;
};
