// Makes the status pictures of the timed import that the program folder ships in "設備画像/":
// "torikomi00.jpg" (waiting: a clock) and "torikomi01.jpg" (importing: an arrow into a box).
// Run by scripts/make-forms.sh; the files it writes are committed beside it.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor Ink(40, 60, 110);
const QColor Paper(250, 250, 242);

QFont captionFont(int pixelSize)
{
    QFont font;
    for (const QString& family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")})
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void caption(QPainter& painter, const QRect& area, const QString& text, int pixelSize)
{
    painter.setFont(captionFont(pixelSize));
    painter.setPen(Ink);
    painter.drawText(area, Qt::AlignCenter, text);
}

// A clock face at ten past ten over "待機中".
QImage waitingPicture()
{
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(40, 30);
    painter.setPen(QPen(Ink, 3));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 24, 24);
    painter.setPen(QPen(Ink, 2));
    for (int hour = 0; hour < 12; ++hour) {
        painter.save();
        painter.translate(centre);
        painter.rotate(hour * 30.0);
        painter.drawLine(QPointF(0, -20), QPointF(0, -17));
        painter.restore();
    }
    painter.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(-10, -6)); // hour hand at ten
    painter.drawLine(centre, centre + QPointF(15, -9));  // minute hand at two
    painter.setBrush(Ink);
    painter.drawEllipse(centre, 2.5, 2.5);
    caption(painter, QRect(0, 56, 80, 22), QStringLiteral("待機中"), 16);
    return image;
}

// A sheet with a downward arrow into an open box, beside "取込中".
QImage importingPicture()
{
    QImage image(140, 105, QImage::Format_RGB32);
    image.fill(Paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(Ink, 2));
    painter.setBrush(QColor(225, 240, 225));
    painter.drawRect(QRectF(14, 8, 30, 24)); // the workbook sheet
    painter.setPen(QPen(QColor(60, 130, 60), 1));
    for (int line = 0; line < 3; ++line)
        painter.drawLine(QPointF(18, 15 + line * 6), QPointF(40, 15 + line * 6));

    QPainterPath arrow;
    arrow.moveTo(25, 36);
    arrow.lineTo(33, 36);
    arrow.lineTo(33, 50);
    arrow.lineTo(40, 50);
    arrow.lineTo(29, 62);
    arrow.lineTo(18, 50);
    arrow.lineTo(25, 50);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 80, 60));
    painter.drawPath(arrow);

    painter.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath box;
    box.moveTo(8, 60);
    box.lineTo(8, 92);
    box.lineTo(50, 92);
    box.lineTo(50, 60);
    painter.drawPath(box);
    painter.drawLine(QPointF(8, 60), QPointF(18, 60));
    painter.drawLine(QPointF(40, 60), QPointF(50, 60));

    caption(painter, QRect(56, 30, 84, 40), QStringLiteral("取込中"), 22);
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path, "JPG", 92))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tev-make-pictures RESOURCES_FOLDER\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    resources.mkpath(QStringLiteral("設備画像"));
    bool ok = save(waitingPicture(), resources.filePath(QStringLiteral("設備画像/torikomi00.jpg")));
    ok = save(importingPicture(), resources.filePath(QStringLiteral("設備画像/torikomi01.jpg"))) && ok;
    return ok ? 0 : 1;
}
