#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "edit/session/UiPort.h"

namespace sigmora::test {

// Answers every question and dialog of the editor at random from a shared generator, as a user
// clicking about would: Yes or No, a cancelled or confirmed dialog with edited values, a file
// name inside one folder (some of them existing) or none. Nothing blocks.
class RandomUiPort : public edit::UiPort {
public:
    RandomUiPort(std::mt19937& random, std::filesystem::path folder) : random_(random), folder_(std::move(folder)) {}

    int messagesShown = 0;
    int questionsAsked = 0;
    int dialogsShown = 0;
    int popups = 0;
    std::vector<std::string> savedFiles; // every file name the port answered a save dialog with

    void showMessage(const std::string&, const std::string&, edit::MessageIcon) override { ++messagesShown; }
    bool askYesNo(const std::string&, const std::string&, edit::MessageIcon) override
    {
        ++questionsAsked;
        return chance(2);
    }
    edit::Answer askYesNoCancel(const std::string&, const std::string&, edit::MessageIcon) override
    {
        ++questionsAsked;
        return static_cast<edit::Answer>(pick(0, 2));
    }
    std::optional<int> choosePeriodDivider(int) override
    {
        ++dialogsShown;
        if (chance(3))
            return std::nullopt;
        return pick(1, kMaxDivider);
    }
    std::optional<std::string> openFileName(const FileDialog& dialog) override
    {
        ++dialogsShown;
        if (chance(3))
            return std::nullopt;
        if (!savedFiles.empty() && !chance(4))
            return savedFiles[static_cast<std::size_t>(pick(0, static_cast<int>(savedFiles.size()) - 1))];
        return (folder_ / ("missing." + dialog.defaultExtension)).string();
    }
    std::optional<std::string> saveFileName(const FileDialog& dialog) override
    {
        ++dialogsShown;
        if (chance(3))
            return std::nullopt;
        const std::string extension = dialog.defaultExtension.empty() ? "out" : dialog.defaultExtension;
        const std::string name = (folder_ / ("file" + std::to_string(pick(0, kFileNames - 1)) + "." + extension)).string();
        savedFiles.push_back(name);
        return name;
    }
    std::optional<std::vector<int>> chooseDutClocks(const std::vector<std::string>& rowNames) override
    {
        ++dialogsShown;
        if (chance(3))
            return std::nullopt;
        std::vector<int> chosen;
        for (int i = 0; i < static_cast<int>(rowNames.size()); ++i)
            if (chance(4))
                chosen.push_back(i);
        return chosen;
    }
    void popupContextMenu(edit::ContextMenuKind, int, int) override { ++popups; }
    std::optional<io::VcdChoice> chooseVcdImport(const io::VcdSurvey&, const io::VcdChoice& proposed) override
    {
        ++dialogsShown;
        if (chance(2))
            return std::nullopt;
        return proposed;
    }
    std::optional<long long> chooseHalfPeriod(const std::string&, const std::vector<std::string>&,
                                              std::optional<long long>) override
    {
        ++dialogsShown;
        if (chance(2))
            return std::nullopt;
        return static_cast<long long>(pick(1, 10'000'000)); // from 1 fs to 10 ns
    }
    void addToRecentFiles(const std::string&) override {}

    edit::SignalDialogResult editSignalAttributes(edit::SignalAttributes& values) override
    {
        ++dialogsShown;
        switch (pick(0, 5)) {
        case 0:
            return values.deleteAvailable ? edit::SignalDialogResult::Delete : edit::SignalDialogResult::Cancel;
        case 1:
        case 2:
            return edit::SignalDialogResult::Cancel;
        default:
            break;
        }
        // A few of the values edited as a user could in the dialog's fields.
        if (chance(2))
            values.name = kNames[pick(0, std::size(kNames) - 1)];
        if (chance(3))
            values.delayText = std::to_string(pick(-5, 40));
        if (chance(3))
            values.expression = kExpressions[pick(0, std::size(kExpressions) - 1)];
        if (chance(4))
            values.clockFrequency = pick(1, edit::kMaxClockFrequency);
        if (chance(4))
            values.clockDuty = pick(1, edit::kDutyChoices);
        values.ideal = chance(2);
        values.differential = chance(4);
        values.activeLow = chance(4);
        values.locked = chance(6);
        values.fontSize = pick(6, 20);
        return edit::SignalDialogResult::Ok;
    }
    std::optional<edit::CycleLabelValues> customizeCycleLabels(const edit::CycleLabelValues& values) override
    {
        ++dialogsShown;
        if (chance(2))
            return std::nullopt;
        edit::CycleLabelValues edited = values;
        edited.prefix = chance(2) ? "T" : "";
        edited.start = std::to_string(pick(-3, 30));
        edited.increment = std::to_string(pick(-2, 5));
        edited.periodLinesPerLabel = pick(1, 4);
        edited.skipOffset = pick(0, 3);
        edited.moduloCount = pick(0, 5);
        edited.moduloOffset = pick(-2, 3);
        edited.repeatModuloCount = pick(0, 3);
        return edited;
    }
    void showRowLayoutWindow(const edit::RowLayoutLink& link) override
    {
        ++dialogsShown;
        // The window's spin boxes moved once, then applied, as the modeless window would.
        if (!link.current || !link.apply || chance(2))
            return;
        edit::RowLayout layout = link.current();
        layout.signalHeight = pick(edit::kMinSignalHeight, edit::kMaxSignalHeight);
        layout.signalSpacing = pick(edit::kMinSignalSpacing, edit::kMaxSignalSpacing);
        link.apply(layout);
        if (link.refresh)
            link.refresh();
    }

private:
    static constexpr int kMaxDivider = 64;
    static constexpr int kFileNames = 4;
    static constexpr const char* kNames[] = {"A", "clk", "Data bus", "a.b", "line\\nbreak", "  ", "A", "x\ty"};
    static constexpr const char* kExpressions[] = {"N/A", "A", "!A", "A & clk", "A | B", "(A ^ clk)", "&&&", ""};

    bool chance(int oneIn) { return std::uniform_int_distribution<int>(0, oneIn - 1)(random_) == 0; }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int pick(int low, std::size_t high) { return pick(low, static_cast<int>(high)); }

    std::mt19937& random_;
    std::filesystem::path folder_;
};

} // namespace sigmora::test
