#include "app/platform/ToolCursors.h"

#include <QIcon>
#include <QPixmap>

namespace sigmora::app {

namespace {

constexpr int kCursorSize = 32;

struct Picture {
    edit::CursorRole role;
    const char* file;
    int hotX;
    int hotY;
};

// The hot spot is where the picture points: the pencil tip, the I-beam's middle, the bucket's
// spout, the crosshair's centre.
constexpr Picture kPictures[] = {
    {edit::CursorRole::TextPlacement, "text-placement", 8, 9},
    {edit::CursorRole::AlternatePlacement, "text-random", 8, 9},
    {edit::CursorRole::Draw, "draw", 1, 1},
    {edit::CursorRole::Flood1, "flood-1", 1, 1},
    {edit::CursorRole::Flood2, "flood-2", 1, 1},
    {edit::CursorRole::Flood3, "flood-3", 1, 1},
    {edit::CursorRole::Flood4, "flood-4", 1, 1},
    {edit::CursorRole::Flood5, "flood-5", 1, 1},
    {edit::CursorRole::Flood6, "flood-6", 1, 1},
    {edit::CursorRole::FloodOther, "flood-other", 1, 1},
    {edit::CursorRole::FloodErase, "flood-erase", 1, 1},
    {edit::CursorRole::ArrowFirst, "arrow-first", 8, 8},
    {edit::CursorRole::ArrowSecond, "arrow-second", 8, 8},
    {edit::CursorRole::TimeBreak, "time-break", 8, 8},
    {edit::CursorRole::LabelFirst, "label-first", 8, 8},
    {edit::CursorRole::LabelNext, "label-next", 8, 8},
    {edit::CursorRole::TriState, "tri-state", 1, 1},
    {edit::CursorRole::Both, "both", 1, 1},
};

Qt::CursorShape systemShape(edit::CursorRole role)
{
    switch (role) {
    case edit::CursorRole::SizeWestEast: return Qt::SizeHorCursor;
    case edit::CursorRole::SizeNorthSouth: return Qt::SizeVerCursor;
    case edit::CursorRole::Move: return Qt::SizeAllCursor;
    case edit::CursorRole::MoveVertical: return Qt::SizeVerCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

QCursor toolCursor(edit::CursorRole role)
{
    for (const Picture& p : kPictures) {
        if (p.role != role)
            continue;
        const QIcon picture(QStringLiteral(":/cursors/%1.svg").arg(QLatin1String(p.file)));
        return QCursor(picture.pixmap(kCursorSize, kCursorSize), p.hotX, p.hotY);
    }
    return QCursor(systemShape(role));
}

} // namespace sigmora::app
