#include "app/logger_handlers.h"

LoggerHandlers::LoggerHandlers(TForm1& form, InstrumentLink& link, bool englishUi)
    : form_(form), link_(link), englishUi_(englishUi) {}

void LoggerHandlers::Button3Click() {}
void LoggerHandlers::Button4Click() {}
