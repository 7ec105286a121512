#pragma once

#include <QDialog>
#include <QPixmap>

namespace sigmora::app {

// The picture shown for three seconds while Sigmora starts; it closes by itself.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 3000;

    explicit SplashWindow(QWidget* parent = nullptr);

    // The splash picture: the program's name and version over a few drawn waveforms.
    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace sigmora::app
