// Draws Fernwick's artwork into PNG files: the program icon, the fern of the
// main window and the four link icons of the about window. The images are
// kept in the repository; the build target `artwork` draws them again.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kFernDark(0x2e, 0x7d, 0x32);
const QColor kFernLight(0x81, 0xc7, 0x84);

// A fern frond in a square of side `size`: a curved stem with pairs of
// leaflets that shrink towards the tip.
void draw_fern(QPainter& painter, double size, const QColor& dark, const QColor& light)
{
    const QPointF base(size * 0.40, size * 0.95);
    const QPointF bend(size * 0.30, size * 0.45);
    const QPointF tip(size * 0.72, size * 0.08);
    auto stem_at = [&](double t) {
        const double u = 1 - t;
        return u * u * base + 2 * u * t * bend + t * t * tip;
    };
    QPainterPath stem;
    stem.moveTo(base);
    stem.quadTo(bend, tip);
    painter.setPen(QPen(dark, size * 0.025, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(stem);

    const int pairs = 11;
    for (int i = 0; i < pairs; ++i) {
        const double t = 0.12 + 0.84 * i / pairs;
        const QPointF at = stem_at(t);
        const QPointF ahead = stem_at(t + 0.01);
        const double angle = std::atan2(ahead.y() - at.y(), ahead.x() - at.x()) * 180 / M_PI;
        const double length = size * 0.30 * (1 - 0.75 * i / pairs);
        QLinearGradient shade(0, 0, length, 0);
        shade.setColorAt(0, dark);
        shade.setColorAt(1, light);
        for (int side : {-1, 1}) {
            painter.save();
            painter.translate(at);
            painter.rotate(angle + side * 62);
            painter.setPen(Qt::NoPen);
            painter.setBrush(shade);
            QPainterPath leaflet;
            leaflet.moveTo(0, 0);
            leaflet.cubicTo(length * 0.3, -length * 0.28, length * 0.8, -length * 0.16, length, 0);
            leaflet.cubicTo(length * 0.8, length * 0.16, length * 0.3, length * 0.28, 0, 0);
            painter.drawPath(leaflet);
            painter.restore();
        }
    }
}

void draw_program_icon(QPainter& painter, double size)
{
    QLinearGradient sky(0, 0, 0, size);
    sky.setColorAt(0, QColor(0xf1, 0xf8, 0xe9));
    sky.setColorAt(1, QColor(0xc5, 0xe1, 0xa5));
    painter.setPen(QPen(QColor(0x55, 0x8b, 0x2f), size * 0.02));
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(size * 0.04, size * 0.04, size * 0.92, size * 0.92), size * 0.2, size * 0.2);
    painter.save();
    painter.translate(size * 0.1, size * 0.06);
    draw_fern(painter, size * 0.84, kFernDark, kFernLight);
    painter.restore();
}

// A round badge in one colour with a white sign drawn over it.
void draw_badge(QPainter& painter, double size, const QColor& colour, const std::function<void()>& sign)
{
    QRadialGradient shine(size * 0.35, size * 0.3, size * 0.7);
    shine.setColorAt(0, colour.lighter(125));
    shine.setColorAt(1, colour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(QRectF(size * 0.03, size * 0.03, size * 0.94, size * 0.94));
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::white, size * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    sign();
}

// A television with a play sign: the video site.
void draw_video_icon(QPainter& painter, double s)
{
    draw_badge(painter, s, QColor(0xfb, 0x72, 0x99), [&] {
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(s * 0.22, s * 0.32, s * 0.56, s * 0.40), s * 0.08, s * 0.08);
        painter.drawLine(QPointF(s * 0.38, s * 0.20), QPointF(s * 0.45, s * 0.30));
        painter.drawLine(QPointF(s * 0.62, s * 0.20), QPointF(s * 0.55, s * 0.30));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF({QPointF(s * 0.44, s * 0.42), QPointF(s * 0.60, s * 0.52),
                                       QPointF(s * 0.44, s * 0.62)}));
    });
}

// Three heads: the chat group.
void draw_group_icon(QPainter& painter, double s)
{
    draw_badge(painter, s, QColor(0x1e, 0x88, 0xe5), [&] {
        painter.setPen(Qt::NoPen);
        for (double x : {0.30, 0.70}) {
            painter.setBrush(QColor(255, 255, 255, 190));
            painter.drawEllipse(QPointF(s * x, s * 0.42), s * 0.08, s * 0.08);
            painter.drawChord(QRectF(s * (x - 0.14), s * 0.53, s * 0.28, s * 0.26), 0, 180 * 16);
        }
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(s * 0.5, s * 0.36), s * 0.11, s * 0.11);
        painter.drawChord(QRectF(s * 0.31, s * 0.50, s * 0.38, s * 0.34), 0, 180 * 16);
    });
}

// A speech bubble with a wave: the microblog.
void draw_microblog_icon(QPainter& painter, double s)
{
    draw_badge(painter, s, QColor(0xe5, 0x39, 0x35), [&] {
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(s * 0.22, s * 0.28, s * 0.56, s * 0.40));
        painter.drawLine(QPointF(s * 0.34, s * 0.64), QPointF(s * 0.28, s * 0.76));
        QPainterPath wave;
        wave.moveTo(s * 0.34, s * 0.48);
        wave.cubicTo(s * 0.42, s * 0.38, s * 0.50, s * 0.58, s * 0.58, s * 0.48);
        wave.cubicTo(s * 0.62, s * 0.43, s * 0.66, s * 0.46, s * 0.68, s * 0.48);
        painter.drawPath(wave);
    });
}

// A bubble with three dots: the direct chat.
void draw_chat_icon(QPainter& painter, double s)
{
    draw_badge(painter, s, QColor(0x00, 0x89, 0x7b), [&] {
        painter.setPen(Qt::NoPen);
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(s * 0.20, s * 0.26, s * 0.60, s * 0.40), s * 0.12, s * 0.12);
        bubble.moveTo(s * 0.36, s * 0.64);
        bubble.lineTo(s * 0.30, s * 0.78);
        bubble.lineTo(s * 0.50, s * 0.64);
        painter.drawPath(bubble.simplified());
        painter.setBrush(QColor(0x00, 0x89, 0x7b));
        for (double x : {0.36, 0.50, 0.64})
            painter.drawEllipse(QPointF(s * x, s * 0.46), s * 0.045, s * 0.045);
    });
}

bool draw(const QString& path, int size, const std::function<void(QPainter&, double)>& artwork)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        artwork(painter, size);
    }
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + "/";
    const bool ok = draw(folder + "fernwick.png", 256, draw_program_icon)
        && draw(folder + "fern.png", 100,
                [](QPainter& painter, double size) { draw_fern(painter, size, kFernDark, kFernLight); })
        && draw(folder + "link-video.png", 80, draw_video_icon)
        && draw(folder + "link-group.png", 80, draw_group_icon)
        && draw(folder + "link-microblog.png", 80, draw_microblog_icon)
        && draw(folder + "link-chat.png", 80, draw_chat_icon);
    return ok ? 0 : 1;
}
