#pragma once
// The program's icon, drawn in code so the program needs no image files; the package's
// theme icons are drawn by the same code when it is built.

#include <QIcon>
#include <QImage>

// A cooled mirror with a dew droplet on it, `size` pixels square, on a transparent ground.
// Needs no application object.
QImage DrawAppIcon(int size);

// The window's icon: the picture at 32 x 32 and 16 x 16 pixels.
QIcon MakeAppIcon();
