#pragma once

#include <string>

#include "edit/files/FileFormats.h"
#include "model/Diagram.h"

namespace sigmora::app {

// The pictures "sigmora --convert IN OUT" writes, chosen by OUT's extension: ".png" and ".bmp"
// (the whole diagram, sized like the bitmap export), ".pdf" (one vector page of that size, fonts
// embedded), ".emf" and ".wmf" (the metafile exports' frame).
// The picture's bytes in the format (one of those above) for the file out; false with a one-line
// error when it cannot be drawn.
bool pictureOutputBytes(const model::Diagram& diagram, edit::Format format, const std::string& out, std::string& bytes,
                        std::string& error);

} // namespace sigmora::app
