#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "edit/Editor.h"
#include "io/native/NativeFileFixtures.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/pictures/PictureSize.h"
#include "model/LabelNumberGenerator.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// Every input the file reader's fuzzer ever found a fault with (fuzz/regressions/) is read again
// here the way the fuzzer reads it, and opened by the editor.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

const fs::path kRegressions = fs::path(SIGMORA_SOURCE_DIR) / "fuzz" / "regressions";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(FuzzRegressions, EveryFindingReadsWritesAndOpensCleanly)
{
    int found = 0;
    for (const auto& entry : fs::directory_iterator(kRegressions)) {
        // The findings of the other readers live in folders of their own.
        if (!entry.is_regular_file())
            continue;
        ++found;
        const std::string bytes = readFile(entry.path());
        model::Diagram d;
        const io::ReadResult result = io::readAnyVersion(bytes, d);
        if (result.status == io::ReadResult::Status::Ok) {
            const std::string written = io::nativeFileBytes(d);
            model::Diagram again;
            ASSERT_EQ(io::readNativeFile(written, again).status, io::ReadResult::Status::Ok) << entry.path();
            EXPECT_TRUE(io::nativeFileBytes(again) == written) << entry.path();
            io::pictureSizeAllowed(io::wholeDiagramPictureSize(d));
        }
        model::Diagram snapshot;
        io::restoreSnapshot(bytes, snapshot);

        test::FakeUiPort ui;
        test::FixedMeasurer measurer;
        edit::Editor editor(ui, measurer);
        editor.openNamedFile(entry.path().string());
        EXPECT_TRUE(result.status == io::ReadResult::Status::Ok || editor.diagram().store.signalCount() == 0)
            << entry.path();
    }
    EXPECT_GT(found, 0);
}

TEST(FuzzRegressions, LabelNumbersOfAbsurdIncrementsWrapAsIntegersDo)
{
    model::Diagram d = test::fullDiagram(1);
    d.settings.labelStart = INT_MAX - 1;
    d.settings.labelIncrement = INT_MAX;
    d.settings.moduloCount = 2;
    d.settings.moduloOffset = INT_MAX;
    d.settings.repeatModuloCount = 0;
    const model::LabelNumbers n = model::generateLabelNumbers({d.settings.labelStart, d.settings.labelIncrement,
                                                               d.settings.moduloCount, d.settings.moduloOffset,
                                                               d.settings.repeatModuloCount});
    EXPECT_EQ(n[0], INT_MAX - 1);
    EXPECT_EQ(n[1], INT_MIN + INT_MAX - 2); // (INT_MAX - 1) + INT_MAX, wrapped
    EXPECT_EQ(n[2], n[1] + INT_MAX);        // the modulo jump by the offset, wrapped the same way
}
