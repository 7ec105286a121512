#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace sigmora::dialogs {

// The time of one cell for the value change dump and stimulus exports: a half-period such as
// "5ns" (fs, ps, ns, us, ms or s), the notes of the export below it (rows renamed for the file),
// OK only for a valid half-period. The last one chosen is remembered between runs in the settings
// section "StimulusExport". For stimulus, also the output delay: how long after a clock edge the
// other rows change (empty: each row's drawn slant, at least 1 ps), at least 1 ps and shorter
// than the half-period, refused with the reason otherwise.
class HalfPeriodDialog : public QDialog {
    Q_OBJECT
public:
    // Starts at start (the diagram's time base) when given, else at the half-period remembered.
    HalfPeriodDialog(const QString& title, const std::vector<std::string>& notes, QWidget* parent = nullptr,
                     bool withOutputDelay = false, std::optional<long long> start = {});

    // The half-period shown, in femtoseconds; nothing while the text is not one.
    std::optional<long long> halfPeriod() const;
    // The output delay typed, in picoseconds; nothing when the field is empty (or not shown).
    std::optional<long long> outputDelayPs() const;

    // The half-period remembered (5 ns before any was), as its text.
    static QString remembered();
    static void remember(const QString& text);

    void accept() override;

private:
    void validate();

    QLineEdit* edit_;
    QLineEdit* delay_ = nullptr;
    QLabel* problem_;
    QWidget* okButton_ = nullptr;
};

} // namespace sigmora::dialogs
