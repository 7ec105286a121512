#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace sigmora::app {

// Where the tip of the day stands between runs (the settings section "Tip").
struct TipState {
    int startUp = 0;        // 0: show the tip at start-up
    long filePos = 0;       // where the next tip is read
    std::string timeStamp;  // the tips file's modification time when it was last read
};

// Reads tips from "tips.txt": one tip a line; lines that begin with a space, a tab, a line end or
// ";" (a comment) are skipped; at the end it starts again from the top. A file whose time stamp
// changed since the last run starts again at its first tip.
class TipsReader {
public:
    static constexpr const char* kMissingText = "Tips file does not exist in the prescribed directory";
    static constexpr const char* kTroubleText = "Trouble reading the tips file";
    static constexpr const char* kNoTipsText = "The tips file holds no tips.";

    // Opens the file and reads the first tip to show; state's time stamp is brought up to date.
    TipsReader(const std::string& path, TipState& state);
    // Stores the position of the next tip in the state.
    ~TipsReader();
    TipsReader(const TipsReader&) = delete;
    TipsReader& operator=(const TipsReader&) = delete;

    bool fileOpen() const { return file_ != nullptr; }
    const std::string& tip() const { return tip_; }
    // Set when the file could not be read where it should have been; show it as a message.
    const std::string& trouble() const { return trouble_; }

    // Reads the next tip, starting again from the top at the end of the file.
    void next();

    // The file's modification time as ctime text without the trailing line end.
    static std::string timeStampOf(const std::string& path);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    TipState& state_;
    std::unique_ptr<std::FILE, Closer> file_;
    std::string tip_;
    std::string trouble_;
};

} // namespace sigmora::app
