#pragma once

#include <QAbstractScrollArea>
#include <QImage>

#include "edit/Editor.h"

namespace sigmora::app {

// The diagram view: the editor's full redraw goes into an off-screen image the size of the
// screen, and painting only copies pixels from it. Scroll bars move the editor's scroll position.
class DiagramWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit DiagramWidget(edit::Editor& editor, QWidget* parent = nullptr);

    // Redraws the diagram into the image and repaints.
    void refresh();
    // Puts the scroll bars at the editor's positions.
    void syncScrollBars();
    // Shows the cursor the editor names.
    void showCursor(edit::CursorRole role);

    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab step the selection instead of moving the focus.
    bool focusNextPrevChild(bool next) override;

private:
    void onHorizontalAction(int action);
    void onVerticalAction(int action);

    edit::Editor& editor_;
    QImage image_;
};

} // namespace sigmora::app
