#pragma once

#include <QDialog>

#include "edit/values/RowLayout.h"

class QLabel;
class QSlider;

namespace sigmora::dialogs {

// "Adjust Signal Height/Spacing": a modeless window of three vertical track bars (signal height,
// signal spacing, top margin) that change the diagram as they move, each with its value in pixels
// under it. "OK" applies the values and closes the window (it comes back with the command);
// "Reset to Defaults" (also Esc) puts back 16, 12 and 20; the close box hides the window.
class HeightSpacingWindow : public QDialog {
    Q_OBJECT
public:
    explicit HeightSpacingWindow(QWidget* parent = nullptr);

    // Takes the editor's link and shows the values it has now.
    void setLink(const edit::RowLayoutLink& link);
    // The values the track bars show (the margin as the margin, not the bar's position).
    edit::RowLayout shownLayout() const;

    void resetToDefaults();
    // Esc resets, as the window's second button does; the window stays open.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QSlider* slider(const char* objectName, int minimum, int maximum);
    QLabel* valueLabel(const char* objectName);
    void showLayout(const edit::RowLayout& layout);
    void showValues();
    void applyShown();
    void refresh();

    edit::RowLayoutLink link_;
    QSlider* height_ = nullptr;
    QSlider* spacing_ = nullptr;
    QSlider* margin_ = nullptr;
    QLabel* heightValue_ = nullptr;
    QLabel* spacingValue_ = nullptr;
    QLabel* marginValue_ = nullptr;
};

} // namespace sigmora::dialogs
