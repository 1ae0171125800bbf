#pragma once

#include <QImage>
#include <QString>

namespace vemo::art {

// Writes a one-image 32-bit icon file. Written by hand rather than through Qt's writer, which
// leaves the mask's row padding uninitialised, so that a regenerated file is byte-identical.
bool writeIcon(const QString& path, const QImage& image);

} // namespace vemo::art
