#pragma once

#include <QIcon>
#include <QString>

namespace sigmora::app {

// The tool-bar picture of a command, drawn for Sigmora (resources/icons); an empty name and a
// null icon for a command that has no button.
QString commandIconName(int command);
QIcon commandIcon(int command);

} // namespace sigmora::app
