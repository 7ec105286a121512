#include "app/platform/FontDatabaseWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

namespace sigmora::app {

FontDatabaseWarmUp::FontDatabaseWarmUp() : thread_([] { (void)QFontDatabase::families(); }) {}

FontDatabaseWarmUp::~FontDatabaseWarmUp()
{
    thread_.join();
}

} // namespace sigmora::app
