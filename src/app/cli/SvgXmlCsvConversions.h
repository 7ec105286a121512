#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "edit/files/FileFormats.h"
#include "model/Diagram.h"

namespace sigmora::app {

// The parts of "sigmora --convert" that read and write this program's own exchange formats:
// SVG (".svg", both ways: the drawing out, the data comments back in), the XML and
// comma-separated waveforms (".xml", ".csv", both ways) and the ASCII waveforms (".txt", out
// only, with the window's default options).


// Reads the input into a diagram just made. False with a one-line error; notes get what a read
// that succeeded left out, one sentence each.
bool readSvgXmlCsvInput(edit::Format format, const std::string& in, model::Diagram& diagram, std::string& error,
                        std::vector<std::string>& notes);

// The SVG output, written to sink in blocks as it is drawn (the bytes of the SVG export);
// svgOutputDrawable first answers false, with the one-line error, when the diagram has nothing to draw.
bool svgOutputDrawable(const model::Diagram& diagram, const std::string& out, std::string& error);
void writeSvgOutput(const model::Diagram& diagram, const std::function<bool(std::string_view)>& sink);
// The bytes of the XML, comma-separated or ASCII output for the diagram; false with a one-line error.
bool svgXmlCsvOutputBytes(const model::Diagram& diagram, edit::Format format, const std::string& out,
                          std::string& bytes, std::string& error);

} // namespace sigmora::app
