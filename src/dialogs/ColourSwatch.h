#pragma once

#include <QLabel>

#include "model/Colour.h"

namespace sigmora::dialogs {

// A small filled rectangle showing a colour next to the button that chooses it.
class ColourSwatch : public QLabel {
    Q_OBJECT
public:
    static constexpr int kWidth = 20;
    static constexpr int kHeight = 10;

    explicit ColourSwatch(QWidget* parent = nullptr);
    void setColour(model::Colour colour);
    model::Colour colour() const { return colour_; }

private:
    model::Colour colour_ = 0;
};

} // namespace sigmora::dialogs
