#pragma once

#include <string>
#include <string_view>

#include "model/Diagram.h"

namespace sigmora::io {

// The data comments that follow the drawing of an SVG document and carry the whole diagram:
// one comment a line, in the order SVG import reads them back (SvgReader.h). Records and texts
// are written as they stand, with two exceptions: a field of single-byte text (older diagrams)
// is written as UTF-8, as the whole document is; and a text that would end its comment early or
// break it ("--" inside, or a "-" at its end) has each "-" written as kCommentDash.
void appendSvgCommentStream(const model::Diagram& diagram, std::string& out);

// The first line of the data comments.
inline constexpr std::string_view kSvgStreamMarker = "<!-- WF 1 -->";
// What the diagram holds beyond the layout's items (its time base, timing parameters, where a
// dump came from) follows the closing settings as one more comment, "<!-- SGMX " and the diagram
// file's extension block in hexadecimal, written only when there is something in it: an SVG of a
// diagram without it is written as before.
inline constexpr std::string_view kSvgExtensionTag = "SGMX ";

// The lists in stream order.
inline constexpr model::ListId kStreamLists[] = {model::ListId::Signals, model::ListId::Texts,
                                                 model::ListId::LegacyRegions, model::ListId::Arrows,
                                                 model::ListId::Labels, model::ListId::TimeBreaks};
// Edge offsets are written with this added, so that small negative offsets stay positive.
inline constexpr int kEdgeOffsetBias = 32;
// Period divider, lines per label and skip offset close the stream; the native file's last two
// closing settings are not part of it.
inline constexpr std::size_t kStreamClosingSettings = 3;

inline constexpr std::string_view kCommentDash = "~QorWFDash~";

// A text as it may stand inside a comment, and back.
std::string commentSafeText(std::string_view text);
std::string textFromComment(std::string_view text);

} // namespace sigmora::io
