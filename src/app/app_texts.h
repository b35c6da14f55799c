#pragma once
// Fixed texts of the application shell.

// Shown on the task bar and as the caption of the error box.
inline constexpr char kApplicationTitle[] = "NIVIon NIVStrand Hygrometer";
// Caption of the main window.
inline constexpr char kWindowCaption[] = "KRT20 Higrometr";
// First line of the chart's title.
inline constexpr char kChartTitle[] = "Wykres wilgotności i temperatury";
