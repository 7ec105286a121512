#pragma once

#include <string>

#include "io/pictures/PictureSize.h"
#include "model/Diagram.h"
#include "model/ReaderReport.h"
#include "model/TextMeasurer.h"
#include "render/RedrawState.h"

namespace sigmora::io {

// The full redraw of the diagram as an enhanced metafile (libEMF) and as a classic Windows
// metafile (our own records), each framed from the origin to extent. Reader messages found while
// drawing go to report. An empty answer: the metafile could not be made.
std::string emfPicture(const model::Diagram& diagram, const render::RedrawOptions& options,
                       const model::TextMeasurer& measurer, PictureSize extent, model::ReaderReport& report);
std::string wmfPicture(const model::Diagram& diagram, const render::RedrawOptions& options,
                       const model::TextMeasurer& measurer, PictureSize extent, model::ReaderReport& report);

} // namespace sigmora::io
