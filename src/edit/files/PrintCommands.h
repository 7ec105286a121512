#pragma once

#include <string>

namespace sigmora::edit {

class Session;
class OutputDevices;

// "Print" and "Print Advanced..." (a chosen number of clock cycles), on the devices' printer.
// While the page is drawn, the name margin, the name column and the top margin are one third of
// an inch (32 units) larger and the drawing is shifted by the print offset; afterwards every
// setting is back as it was.
void registerPrintCommands(Session& session, OutputDevices& devices);

// The file printing to a PDF file proposes: the diagram's own name with ".pdf" in its folder;
// empty for an untitled diagram.
std::string proposedPrintFile(const Session& session);

} // namespace sigmora::edit
