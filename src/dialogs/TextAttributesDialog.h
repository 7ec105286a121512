#pragma once

#include <QDialog>

#include "edit/values/TextAttributes.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

namespace sigmora::dialogs {

// "Text Attributes": the message, font face and size, colour, outline, bold, italic, underline,
// justification and the row the text box is attached to.
class TextAttributesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TextAttributesDialog(const edit::TextAttributes& values, QWidget* parent = nullptr);

    // The values as they stand in the controls, the message in its stored form.
    edit::TextAttributes values() const;

    static constexpr int kSampleHeight = 10;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildMessageGroup();
    QWidget* buildStyleButtons();
    QWidget* buildAttachControls();
    QWidget* buildFontControls();
    QToolButton* styleButton(const QString& name, const QString& text, bool on);
    void chooseColour();
    void showColour();
    void showSample();

    edit::TextAttributes initial_;
    model::Colour colour_;
    QPlainTextEdit* message_;
    QToolButton* bold_;
    QToolButton* italic_;
    QToolButton* underline_;
    QButtonGroup* justification_;
    QCheckBox* attach_;
    QListWidget* attachList_;
    QListWidget* faces_;
    QListWidget* sizes_;
    QComboBox* outline_;
    QLabel* sample_;
    QLabel* swatch_;
    bool faceFound_ = false;
    int shownFaceRow_ = 0; // the face the list showed at the start
};

} // namespace sigmora::dialogs
