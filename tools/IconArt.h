#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace vemo::art {

struct Icon {
    QString fileName; // without the folder
    QImage image;     // 16 x 16 with alpha
};

// The fifteen toolbar icons and the program's own icon, in one style: flat colours with a dark
// outline, so they read on a light toolbar and on the blue grid alike.
std::vector<Icon> icons();

// The program's icon drawn at size x size pixels, for the desktop's icon theme.
QImage programIconOfSize(int size);

} // namespace vemo::art
