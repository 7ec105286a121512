// Fuzzes the tips file reader: the first eight bytes are the remembered position of the next tip
// (as the settings would hold it), the rest is the file. Stepping through the tips never fails,
// never hangs and never shows a line the file marks as no tip.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "FuzzInputFile.h"
#include "app/window/TipsReader.h"

using namespace sigmora;

namespace {
constexpr int kSteps = 40;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::int64_t position = 0;
    if (size >= sizeof position) {
        std::memcpy(&position, data, sizeof position);
        data += sizeof position;
        size -= sizeof position;
    }
    const std::string path = fuzz::writeInputFile({reinterpret_cast<const char*>(data), size}, ".txt");
    app::TipState state;
    state.timeStamp = app::TipsReader::timeStampOf(path); // the file is known: the position holds
    state.filePos = static_cast<long>(position);
    app::TipsReader reader(path, state);
    for (int i = 0; i < kSteps && reader.trouble().empty(); ++i) {
        const std::string& tip = reader.tip();
        if (!tip.empty() && std::strchr(" \t;", tip.front()) && tip != app::TipsReader::kNoTipsText)
            std::abort();
        reader.next();
    }
    return 0;
}
