// Fuzzes the reader of the preferences file "sigmora.ini": any bytes are read as the file. The
// preferences applied to a diagram stay within their choices, and a complete file written back
// reads as the same values.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzInputFile.h"
#include "app/platform/Preferences.h"
#include "model/DiagramSettings.h"

using namespace sigmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::writeInputFile({reinterpret_cast<const char*>(data), size}, ".ini");
    const app::PreferencesRead read = app::readPreferences(path);
    app::placementFrom(read);
    model::DiagramSettings settings;
    read.preferences.applyTo(settings);
    app::Preferences taken;
    taken.takeFrom(settings);
    model::DiagramSettings again;
    taken.applyTo(again);
    app::Preferences retaken;
    retaken.takeFrom(again);
    if (retaken.values != taken.values)
        std::abort(); // every value applied is one of its choices
    if (read.status == app::PreferencesRead::Status::Complete) {
        if (!app::writePreferences(path, read.preferences))
            return 0;
        if (app::readPreferences(path).preferences.values != read.preferences.values)
            std::abort();
    }
    return 0;
}
