#pragma once
// The window's icon, drawn in code so the program needs no image files.

#include <QIcon>

// A cooled mirror with a dew droplet on it, at 32 x 32 and 16 x 16 pixels.
QIcon MakeAppIcon();
