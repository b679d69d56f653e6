// SPDX-License-Identifier: MIT
#include "camera_pictures.h"

#include "jpeg_codec.h"
#include "picture.h"

#include <QFile>

#include <vector>

namespace ovaline::bench {
namespace {

using namespace ovaline::emu;

std::vector<CameraView> views() {
    std::vector<CameraView> all(7);
    all[1].zoom = 2.0;
    all[2].focus_error = 0.5;
    all[3].monochrome = true;
    all[4].negative = true;
    all[5].lamp = Lamp::Upper;
    all[5].iris = 0.7;
    all[6].pointer = true;
    all[6].twice = true;
    return all;
}

} // namespace

QStringList writeCameraPictures(const QString &dir) {
    QStringList names;
    for (Scene scene : {Scene::Stage, Scene::Lesson, Scene::Chart, Scene::Map, Scene::Notice}) {
        for (const CameraView &view : views()) {
            const std::vector<std::uint8_t> jpeg =
                encodeJpeg(renderScene(scene, view, kPictureWidth, kPictureHeight), 65535);
            const QString name = QStringLiteral("P%1.JPG").arg(names.size(), 2, 10, QChar(u'0'));
            QFile file(dir + u'/' + name);
            if (jpeg.empty() || !file.open(QIODevice::WriteOnly) ||
                file.write(reinterpret_cast<const char *>(jpeg.data()), qint64(jpeg.size())) !=
                    qint64(jpeg.size()))
                return {};
            names << name;
        }
    }
    return names;
}

} // namespace ovaline::bench
