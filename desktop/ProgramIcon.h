#pragma once

#include <QImage>

// The program's desktop icon: the header's leaf on a tile of the header's green.
QImage programIcon(int size);
