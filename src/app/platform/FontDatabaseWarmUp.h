#pragma once

#include <thread>

namespace sigmora::app {

// Fills Qt's font database on a thread of its own: reading the system's font configuration takes
// a few milliseconds, which the first text measurement would otherwise spend waiting. Started
// once the application object exists, while the command line reads its input; a measurement
// that comes before the database is filled waits for it (Qt guards the database). The thread is
// joined when the warm-up ends, which must come before the application object goes.
class FontDatabaseWarmUp {
public:
    FontDatabaseWarmUp();
    ~FontDatabaseWarmUp();
    FontDatabaseWarmUp(const FontDatabaseWarmUp&) = delete;
    FontDatabaseWarmUp& operator=(const FontDatabaseWarmUp&) = delete;

private:
    std::thread thread_;
};

} // namespace sigmora::app
