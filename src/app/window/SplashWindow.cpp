#include "app/window/SplashWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "edit/Editor.h"

namespace sigmora::app {

namespace {
constexpr QSize kPictureSize(480, 280);
constexpr int kWaveLeft = 130;
constexpr int kWaveTop = 120;
constexpr int kRowPitch = 34;
constexpr int kRowHeight = 16;
constexpr int kCell = 26;
constexpr int kCells = 12;
const QColor kInk(0x20, 0x30, 0x50);
const QColor kAccent(0x1f, 0x6f, 0xb2);

// A row of the picture: cell levels ('0', '1', 'b' for a bus value, 'x' for a new bus value).
void drawWave(QPainter& p, int row, const char* name, const char* cells)
{
    const int top = kWaveTop + row * kRowPitch;
    const int bottom = top + kRowHeight;
    p.setPen(kInk);
    p.drawText(QRect(20, top, kWaveLeft - 30, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromUtf8(name));
    p.setPen(QPen(kAccent, 2));
    for (int i = 0; i < kCells; ++i) {
        const int x = kWaveLeft + i * kCell;
        const char c = cells[i];
        const char prev = i > 0 ? cells[i - 1] : c;
        if (c == 'b' || c == 'x') {
            const int slant = (c == 'x' || i == 0) ? 4 : 0;
            p.drawLine(x + slant, top, x + kCell, top);
            p.drawLine(x + slant, bottom, x + kCell, bottom);
            if (slant) {
                p.drawLine(x - slant, top, x + slant, bottom);
                p.drawLine(x - slant, bottom, x + slant, top);
            }
            continue;
        }
        const int y = c == '1' ? top : bottom;
        if (i > 0 && prev != c)
            p.drawLine(x, top, x, bottom);
        p.drawLine(x, y, x + kCell, y);
    }
}
} // namespace

QPixmap SplashWindow::picture()
{
    QPixmap pixmap(kPictureSize);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAccent, 3));
    p.drawRect(QRect(QPoint(1, 1), kPictureSize - QSize(3, 3)));

    QFont title(QStringLiteral("Liberation Sans"), 30, QFont::Bold);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRect(0, 24, kPictureSize.width(), 48), Qt::AlignHCenter, QString::fromUtf8(edit::kTitleAndVersion));
    QFont subtitle(QStringLiteral("Liberation Sans"), 12);
    p.setFont(subtitle);
    p.drawText(QRect(0, 74, kPictureSize.width(), 24), Qt::AlignHCenter, QStringLiteral("Timing diagrams, drawn quickly"));

    QFont names(QStringLiteral("Liberation Sans"), 10);
    p.setFont(names);
    drawWave(p, 0, "CLK", "010101010101");
    drawWave(p, 1, "REQ", "001111110000");
    drawWave(p, 2, "DATA", "bbxbbbxbbbbb");
    drawWave(p, 3, "ACK", "000001111100");

    p.setFont(subtitle);
    p.setPen(Qt::darkGray);
    p.drawText(QRect(0, kPictureSize.height() - 30, kPictureSize.width() - 14, 22), Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("Kavlon Software"));
    return pixmap;
}

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(picture())
{
    setObjectName(QStringLiteral("splash"));
    // A title of its own: untitled, the window would carry the program's name, the caption of
    // its message boxes, and be taken for one of them.
    setWindowTitle(QStringLiteral("Sigmora is starting"));
    setFixedSize(picture_.size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QTimer::singleShot(kShowMilliseconds, this, &QDialog::accept);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

} // namespace sigmora::app
