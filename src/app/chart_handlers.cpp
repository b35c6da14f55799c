#include "app/chart_handlers.h"

ChartHandlers::ChartHandlers(TForm1& form) : form_(form) {}

void ChartHandlers::AddSample(const SampleUpdate&) {}
void ChartHandlers::Button1Click() {}
