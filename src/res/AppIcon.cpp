#include "res/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <cmath>
#include <numbers>

namespace vantor::res {

namespace {

// One sine period across the face, shifted by the phase angle.
QPainterPath PhaseWave(const QRectF& face, double phaseDegrees) {
    QPainterPath path;
    constexpr int kSteps = 48;
    for (int step = 0; step <= kSteps; ++step) {
        const double t = static_cast<double>(step) / kSteps;
        const double angle = 2 * std::numbers::pi * t + phaseDegrees * std::numbers::pi / 180;
        const QPointF point(face.left() + t * face.width(),
                            face.center().y() - std::sin(angle) * face.height() * 0.32);
        if (step == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    return path;
}

}  // namespace

// A transducer's display: a dark rounded face with the three phase waves in yellow, green
// and red, the colours of the phase conductors.
QImage AppIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, size - 1.0, size - 1.0);
    painter.setPen(QPen(QColor(20, 30, 60), size / 16.0));
    painter.setBrush(QColor(28, 52, 110));
    painter.drawRoundedRect(body, size / 6.0, size / 6.0);
    const QRectF face = body.adjusted(size * 0.14, size * 0.14, -size * 0.14, -size * 0.14);
    painter.setBrush(Qt::NoBrush);
    const std::array<QColor, 3> colours{QColor(250, 210, 40), QColor(60, 200, 90),
                                        QColor(235, 70, 60)};
    const std::array<double, 3> phases{0, -120, -240};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        painter.setPen(QPen(colours.at(i), std::max(1.0, size / 14.0)));
        painter.drawPath(PhaseWave(face, phases.at(i)));
    }
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    }
    return icon;
}

}  // namespace vantor::res
