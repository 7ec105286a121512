#pragma once

#include <string>
#include <string_view>

namespace sigmora::edit {

class Session;
class OutputDevices;

// The picture exports: "&Bitmap (.bmp)...", "&Enhanced MetaFile (.emf)...", "Windows MetaFile
// (.wmf)" and "&Clipboard" (which Edit, Copy also runs when it copies no cells). The files are
// written whole or not at all; the clipboard gets the picture as PNG, SVG and enhanced metafile.
void registerPictureExports(Session& session, OutputDevices& devices);

// The file name an export proposes for the diagram at diagramPath: none for an untitled
// diagram, else the path with its ".sgm" replaced by extension (added when it has none).
std::string proposedExportName(const std::string& diagramPath, std::string_view extension);

} // namespace sigmora::edit
