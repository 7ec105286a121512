#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "edit/values/CycleLabelValues.h"
#include "edit/values/RowLayout.h"
#include "edit/values/SignalAttributes.h"
#include "io/exchange/AsciiView.h"
#include "edit/values/TextAttributes.h"
#include "model/Colour.h"
#include "model/TimingParameter.h"
#include "io/dump/VcdReader.h"

namespace sigmora::edit {

enum class MessageIcon { None, Information, Warning, Error, Question };

// The answers to a question that can be cancelled. Esc and the question's own close button answer
// Cancel.
enum class Answer { Yes, No, Cancel };

// The context menus the right button pops up.
enum class ContextMenuKind { Signal, Arrow, Label, Text };

// Everything the editor shows or asks the user goes through this port: message boxes, Yes/No
// questions, file names and dialogs (each dialog takes and returns a plain value).
class UiPort {
public:
    virtual ~UiPort() = default;

    virtual void showMessage(const std::string& text, const std::string& caption = {},
                             MessageIcon icon = MessageIcon::None) = 0;
    // True for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption,
                          MessageIcon icon = MessageIcon::Question) = 0;
    // A question with Yes, No and Cancel (the questions about unsaved changes).
    virtual Answer askYesNoCancel(const std::string& text, const std::string& caption,
                                  MessageIcon icon = MessageIcon::Question) = 0;

    // "Setup Default Period": the divider chosen (1 ... 64), or nothing when cancelled.
    virtual std::optional<int> choosePeriodDivider(int currentDivider) = 0;

    // A file dialog. filters are pairs of display text and pattern ("Sigmora Files (*.sgm)",
    // "*.sgm"); the answer is the chosen path, or nothing when cancelled.
    struct FileDialog {
        std::string title;
        std::vector<std::pair<std::string, std::string>> filters;
        std::string defaultExtension; // without the dot
        std::string initialPath;
    };
    virtual std::optional<std::string> openFileName(const FileDialog& dialog) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialog& dialog) = 0;

    // "Select the DUT clocks": the indices of the rows chosen among rowNames (several may be),
    // or nothing when cancelled.
    virtual std::optional<std::vector<int>> chooseDutClocks(const std::vector<std::string>& rowNames) = 0;

    // Pops up a context menu at a screen point; the item chosen arrives as an ordinary command.
    virtual void popupContextMenu(ContextMenuKind menu, int screenX, int screenY) = 0;
    // "Text Attributes": the edited values, or nothing when cancelled.
    virtual std::optional<TextAttributes> editTextAttributes(const TextAttributes&) { return std::nullopt; }
    // The colour dialog: the chosen colour, or nothing when cancelled.
    virtual std::optional<model::Colour> chooseColour(model::Colour) { return std::nullopt; }

    // The value change dump import's choice of clock, signals and time window, shown for the dump
    // surveyed and starting from the choice proposed; nothing when cancelled.
    virtual std::optional<io::VcdChoice> chooseVcdImport(const io::VcdSurvey& survey, const io::VcdChoice& proposed) = 0;

    // A diagram was opened or saved under this path: the shell's recent-file list takes it.
    virtual void addToRecentFiles(const std::string& path) = 0;

    // The setting dialogs. A port without dialogs (a file converter, a test helper) answers as if
    // the user had cancelled them.
    // "Signal Name and Attributes": edits the values in place. Delete: the user chose "Delete
    // Signal" and confirmed it.
    virtual SignalDialogResult editSignalAttributes(SignalAttributes&) { return SignalDialogResult::Cancel; }
    // "Customize the clock cycle labels": the confirmed values, or nothing when cancelled.
    virtual std::optional<CycleLabelValues> customizeCycleLabels(const CycleLabelValues&) { return std::nullopt; }
    // Shows the modeless "Adjust Signal Height/Spacing" window, made on first use and kept.
    virtual void showRowLayoutWindow(const RowLayoutLink&) {}
    // "Setup SVG output": the SVG scale and the active-low bar factor, or nothing when cancelled.
    struct SvgSettings {
        float scale = 1.0f;
        float activeLowBarFactor = 1.0f;
    };
    virtual std::optional<SvgSettings> editSvgSettings(const SvgSettings&) { return std::nullopt; }
    // The half-period of one cell for the value change dump and stimulus exports, in
    // femtoseconds: the dialog titled title starts at the diagram's time base when it has one,
    // else at the half-period chosen last time (remembered between runs), and shows the notes
    // (the rows renamed for the file); nothing when cancelled.
    virtual std::optional<long long> chooseHalfPeriod(const std::string&, const std::vector<std::string>&,
                                                      std::optional<long long> /*timeBase*/)
    {
        return std::nullopt;
    }
    // "Time Base": the time of one cell of the diagram in femtoseconds (above 0, at most 1 s),
    // starting at current; nothing when cancelled.
    virtual std::optional<long long> editTimeBase(long long /*current*/) { return std::nullopt; }
    // "Timing Parameters": the diagram's table of parameters, each bound to one of the labels
    // (shown by their names, by index) or to none; nothing when cancelled.
    struct TimingTable {
        std::vector<model::TimingParameter> parameters;
        bool violationsInPictures = false;
    };
    virtual std::optional<TimingTable> editTimingParameters(const TimingTable&, const std::vector<std::string>& /*labels*/)
    {
        return std::nullopt;
    }
    // The half-period and the output delay of the Verilog and VHDL stimulus exports: the
    // half-period dialog with a field for how long after a clock edge the other rows change
    // (empty: each row's drawn slant, at least 1 ps). Without a dialog of its own, the half-period
    // alone.
    struct StimulusTiming {
        long long halfPeriodFs = 0;
        std::optional<long long> outputDelayPs; // unset: each row's drawn slant
    };
    virtual std::optional<StimulusTiming> chooseStimulusTiming(const std::string& title,
                                                               const std::vector<std::string>& notes,
                                                               std::optional<long long> timeBase)
    {
        const std::optional<long long> halfPeriod = chooseHalfPeriod(title, notes, timeBase);
        if (!halfPeriod)
            return std::nullopt;
        return StimulusTiming{*halfPeriod, std::nullopt};
    }
    // The ASCII output window over these rows; it builds the text itself as its options change.
    virtual void showAsciiWaveforms(const std::vector<io::AsciiRow>&) {}
};

} // namespace sigmora::edit
