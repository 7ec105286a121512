#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "edit/session/UiPort.h"

namespace sigmora::test {

// Answers the editor's questions from a script and remembers, word for word, what was shown.
class FakeUiPort : public edit::UiPort {
public:
    struct Asked {
        std::string text;
        std::string caption;
        bool operator==(const Asked&) const = default;
    };
    // One scripted answer: true or false for Yes or No, or an edit::Answer. A Yes/No question
    // takes Cancel as No, as Esc at such a question does.
    struct Reply {
        edit::Answer answer;
        Reply(bool yes) : answer(yes ? edit::Answer::Yes : edit::Answer::No) {}
        Reply(edit::Answer a) : answer(a) {}
    };

    std::deque<Reply> answers;            // answers to every question, in order; No when the script runs out
    std::vector<std::string> cancellable; // the texts of the questions asked with Yes, No and Cancel
    std::deque<std::optional<int>> dividers; // period divider dialog results
    std::deque<std::optional<std::string>> fileNames; // open/save dialog results, in order
    std::vector<FileDialog> fileDialogs;              // every file dialog shown
    std::vector<std::string> recentFiles;
    std::deque<std::optional<std::vector<int>>> dutClockChoices; // "Select the DUT clocks" results
    std::vector<std::vector<std::string>> dutClockLists;          // the row names each time it was shown
    std::deque<std::optional<io::VcdChoice>> vcdChoices;    // value change dump import dialog results
    std::vector<io::VcdChoice> vcdProposals;                // what that dialog was shown with
    // Half-period dialog results (femtoseconds); 5 ns when the script runs out.
    std::deque<std::optional<long long>> halfPeriods;
    std::deque<std::optional<long long>> outputDelays;      // the stimulus dialog's output delay, in ps
    int stimulusTimingDialogs = 0;
    struct HalfPeriodShown {
        std::string title;
        std::vector<std::string> notes;
    };
    std::vector<HalfPeriodShown> halfPeriodDialogs;
    std::vector<std::optional<long long>> halfPeriodStarts; // the diagram's time base each one was offered
    // "Time Base" results and the values it opened with.
    std::deque<std::optional<long long>> timeBases;
    std::vector<long long> timeBasesShown;
    // "Timing Parameters": each script entry edits the table it is shown; cancelled when the
    // script runs out. Every opening is remembered with the label names it offered.
    std::deque<std::function<bool(TimingTable&)>> timingTableScript;
    std::vector<std::vector<std::string>> timingLabelsShown;
    std::deque<std::optional<SvgSettings>> svgSettings; // "Setup SVG output" results
    std::vector<SvgSettings> svgSettingsShown;          // the values it opened with
    std::vector<std::vector<io::AsciiRow>> asciiViews;  // the rows each ASCII window showed
    std::deque<std::optional<edit::TextAttributes>> textAnswers; // "Text Attributes" results
    std::vector<edit::TextAttributes> textDialogs;               // the values each one opened with
    std::deque<std::optional<model::Colour>> colours;            // colour dialog results
    std::vector<Asked> questions;
    std::vector<Asked> messages;
    struct Popup {
        edit::ContextMenuKind menu;
        int x, y;
        bool operator==(const Popup&) const = default;
    };
    std::vector<Popup> popups; // every context menu popped up
    // The signal attributes dialog: each script entry edits the values and answers; Cancel when
    // the script runs out. Every opening is remembered with the values it showed.
    std::deque<std::function<edit::SignalDialogResult(edit::SignalAttributes&)>> signalDialogScript;
    std::vector<edit::SignalAttributes> signalDialogsShown;
    std::deque<std::optional<edit::CycleLabelValues>> cycleLabelAnswers;
    std::vector<edit::CycleLabelValues> cycleLabelDialogsShown;
    int rowLayoutWindowShown = 0;
    edit::RowLayoutLink rowLayoutLink;

    std::optional<long long> editTimeBase(long long current) override
    {
        timeBasesShown.push_back(current);
        if (timeBases.empty())
            return std::nullopt;
        auto v = timeBases.front();
        timeBases.pop_front();
        return v;
    }
    std::optional<TimingTable> editTimingParameters(const TimingTable& table, const std::vector<std::string>& labels) override
    {
        timingLabelsShown.push_back(labels);
        if (timingTableScript.empty())
            return std::nullopt;
        TimingTable edited = table;
        const bool ok = timingTableScript.front()(edited);
        timingTableScript.pop_front();
        if (!ok)
            return std::nullopt;
        return edited;
    }
    void showMessage(const std::string& text, const std::string& caption, edit::MessageIcon) override
    {
        messages.push_back({text, caption});
    }
    bool askYesNo(const std::string& text, const std::string& caption, edit::MessageIcon) override
    {
        questions.push_back({text, caption});
        return nextAnswer() == edit::Answer::Yes;
    }
    edit::Answer askYesNoCancel(const std::string& text, const std::string& caption, edit::MessageIcon) override
    {
        questions.push_back({text, caption});
        cancellable.push_back(text);
        return nextAnswer();
    }
    edit::Answer nextAnswer()
    {
        if (answers.empty())
            return edit::Answer::No;
        const edit::Answer a = answers.front().answer;
        answers.pop_front();
        return a;
    }
    std::optional<std::string> openFileName(const FileDialog& dialog) override { return nextFileName(dialog); }
    std::optional<std::string> saveFileName(const FileDialog& dialog) override { return nextFileName(dialog); }
    void popupContextMenu(edit::ContextMenuKind menu, int x, int y) override { popups.push_back({menu, x, y}); }
    void addToRecentFiles(const std::string& path) override { recentFiles.push_back(path); }
    std::optional<std::string> nextFileName(const FileDialog& dialog)
    {
        fileDialogs.push_back(dialog);
        if (fileNames.empty())
            return std::nullopt;
        auto name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
    std::optional<std::vector<int>> chooseDutClocks(const std::vector<std::string>& rowNames) override
    {
        dutClockLists.push_back(rowNames);
        if (dutClockChoices.empty())
            return std::nullopt;
        auto choice = dutClockChoices.front();
        dutClockChoices.pop_front();
        return choice;
    }
    std::optional<io::VcdChoice> chooseVcdImport(const io::VcdSurvey&, const io::VcdChoice& proposed) override
    {
        vcdProposals.push_back(proposed);
        if (vcdChoices.empty())
            return std::nullopt;
        auto choice = vcdChoices.front();
        vcdChoices.pop_front();
        return choice;
    }
    // The stimulus exports' dialog: the half-period as above, then the next output delay given
    // (none: the drawn slant).
    std::optional<StimulusTiming> chooseStimulusTiming(const std::string& title, const std::vector<std::string>& notes,
                                                       std::optional<long long> timeBase) override
    {
        ++stimulusTimingDialogs;
        const std::optional<long long> half = chooseHalfPeriod(title, notes, timeBase);
        if (!half)
            return std::nullopt;
        return StimulusTiming{*half, outputDelays.empty() ? std::nullopt : next(outputDelays)};
    }
    std::optional<long long> chooseHalfPeriod(const std::string& title, const std::vector<std::string>& notes,
                                              std::optional<long long> timeBase) override
    {
        halfPeriodDialogs.push_back({title, notes});
        halfPeriodStarts.push_back(timeBase);
        if (halfPeriods.empty())
            return 5'000'000;
        return next(halfPeriods);
    }
    edit::SignalDialogResult editSignalAttributes(edit::SignalAttributes& values) override
    {
        signalDialogsShown.push_back(values);
        if (signalDialogScript.empty())
            return edit::SignalDialogResult::Cancel;
        auto step = signalDialogScript.front();
        signalDialogScript.pop_front();
        return step(values);
    }
    std::optional<edit::CycleLabelValues> customizeCycleLabels(const edit::CycleLabelValues& values) override
    {
        cycleLabelDialogsShown.push_back(values);
        if (cycleLabelAnswers.empty())
            return std::nullopt;
        auto answer = cycleLabelAnswers.front();
        cycleLabelAnswers.pop_front();
        return answer;
    }
    void showRowLayoutWindow(const edit::RowLayoutLink& link) override
    {
        ++rowLayoutWindowShown;
        rowLayoutLink = link;
    }
    std::optional<SvgSettings> editSvgSettings(const SvgSettings& current) override
    {
        svgSettingsShown.push_back(current);
        if (svgSettings.empty())
            return std::nullopt;
        auto chosen = svgSettings.front();
        svgSettings.pop_front();
        return chosen;
    }
    void showAsciiWaveforms(const std::vector<io::AsciiRow>& rows) override { asciiViews.push_back(rows); }
    std::optional<edit::TextAttributes> editTextAttributes(const edit::TextAttributes& values) override
    {
        textDialogs.push_back(values);
        return next(textAnswers);
    }
    std::optional<model::Colour> chooseColour(model::Colour) override { return next(colours); }
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& script)
    {
        if (script.empty())
            return std::nullopt;
        auto v = script.front();
        script.pop_front();
        return v;
    }
    std::optional<int> choosePeriodDivider(int) override
    {
        if (dividers.empty())
            return std::nullopt;
        auto d = dividers.front();
        dividers.pop_front();
        return d;
    }
};

} // namespace sigmora::test
