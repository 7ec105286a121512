#include "app/window/TipsReader.h"

#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace sigmora::app {

namespace {
constexpr int kLineLimit = 1000; // a line of at most 999 characters and its terminator

bool isTipLine(const char* line)
{
    return line[0] != '\0' && std::strchr(" \t\n\r;", line[0]) == nullptr;
}

std::string withoutLineEnd(const char* line)
{
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}
} // namespace

std::string TipsReader::timeStampOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    const std::time_t modified = info.st_mtime;
    std::string text = std::ctime(&modified);
    while (!text.empty() && std::strchr(" \t\r\n", text.back()))
        text.pop_back();
    return text;
}

TipsReader::TipsReader(const std::string& path, TipState& state) : state_(state)
{
    file_.reset(std::fopen(path.c_str(), "r"));
    if (!file_) {
        tip_ = kMissingText;
        return;
    }
    long start = state_.filePos;
    const std::string stamp = timeStampOf(path);
    if (stamp != state_.timeStamp) {
        state_.timeStamp = stamp;
        start = 0;
    }
    if (std::fseek(file_.get(), start, SEEK_SET) != 0) {
        trouble_ = kTroubleText;
        return;
    }
    next();
}

TipsReader::~TipsReader()
{
    if (file_)
        state_.filePos = std::ftell(file_.get());
}

void TipsReader::next()
{
    if (!file_)
        return;
    trouble_.clear();
    char line[kLineLimit];
    bool wrapped = false;
    for (;;) {
        if (std::fgets(line, kLineLimit, file_.get())) {
            if (isTipLine(line)) {
                tip_ = withoutLineEnd(line);
                return;
            }
            continue;
        }
        // The end of the file: go round once more; a second end without a tip means there is none.
        if (wrapped) {
            tip_ = kNoTipsText;
            return;
        }
        wrapped = true;
        std::clearerr(file_.get());
        if (std::fseek(file_.get(), 0, SEEK_SET) != 0) {
            trouble_ = kTroubleText;
            return;
        }
    }
}

} // namespace sigmora::app
