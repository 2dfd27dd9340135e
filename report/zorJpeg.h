#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG image with libjpeg; a broken or truncated stream gives a null image.
QImage zorDecodeJpeg(const QByteArray &data);
