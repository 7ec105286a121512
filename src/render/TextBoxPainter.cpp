#include "render/TextBoxPainter.h"

#include <algorithm>
#include <cmath>

#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextLines.h"
#include "render/MeasuredLabels.h"
#include "render/SvgAnnotations.h"
#include "render/TextMarkup.h"

namespace sigmora::render {

namespace {

constexpr std::string_view kCaptionTag = "WFLabel*";
constexpr Point kNoLabelPosition{-1, -1};
constexpr int kLineGap = 2;              // lines are set (size + 2) pixels apart
constexpr int kRoundCorner = 10;
constexpr int kHandleWidth = 4;
constexpr int kSvgCaptionRaise = 3;      // label captions sit this much higher in SVG
constexpr int kMaxPointSize = 1000;      // sizes read from files are held within this

enum Outline { NoOutline = 0, Plain = 1, Rounded = 2 };
enum Justification { Left = 0, Centre = 1, Right = 2 };

int intField(std::string_view record, int n)
{
    auto text = model::fields::textField(record, n);
    return text ? model::fields::cAtoi(*text) : 0;
}

} // namespace

// One box measured in its font.
struct TextBoxPainter::Box {
    std::vector<std::string> lines;
    std::vector<int> widths;
    int widest = 0;   // Wt
    int height = 0;   // Ht, one line
    FontLeading leading;
    int shift = 0;    // pixels right of its stored place a shortened bus value is drawn
};

std::optional<int> TextBoxPainter::captionOf(std::string_view tag)
{
    if (tag.size() < kCaptionTag.size() || tag.substr(0, kCaptionTag.size()) != kCaptionTag)
        return std::nullopt;
    return model::fields::cAtoi(tag.substr(kCaptionTag.size()));
}

int TextBoxPainter::floorToFour(int v)
{
    return v >= 0 ? v - v % 4 : -((-v + 3) / 4) * 4;
}

void TextBoxPainter::drawAll()
{
    const model::RecordList& texts = ctx_.diagram.store.list(model::ListId::Texts);
    for (int i = 0; i < texts.count(); ++i)
        draw(i, texts.get(i));
}

bool TextBoxPainter::offSurface(const std::string& record)
{
    using namespace model;
    if (!ctx_.options.cullOffSurface || ctx_.svg || ctx_.printing())
        return false;
    // Read as the drawing reads it, so that a damaged record is reported all the same.
    ReaderReport& report = ctx_.report;
    const std::string message = textbox::message(record, report);
    const int left = textbox::left(record, report), top = textbox::top(record, report);
    textbox::right(record, report);
    textbox::bottom(record, report);
    if (const auto label = captionOf(fields::textField(record, textfield::Attachment).value_or("")))
        return captionOffSurface(*label, record, message);
    const Layout& l = ctx_.layout;
    const long long x = static_cast<long long>(left) - static_cast<long long>(l.cellWidth) * l.firstVisibleCell;
    const long long y = static_cast<long long>(top) - static_cast<long long>(l.rowPitch()) * l.firstVisibleSignal();
    const Size size = ctx_.surface.size();
    return x > size.width || y > size.height;
}

void TextBoxPainter::draw(int index, const std::string& record)
{
    using namespace model;
    // On the screen image, a box of its own whose top-left corner lies right of or below the
    // image shows nothing: it is not measured or drawn, and nothing can click it.
    if (offSurface(record))
        return;
    const Layout& l = ctx_.layout;
    Surface& surface = ctx_.surface;
    ReaderReport& report = ctx_.report;

    const int size = std::clamp(textbox::fontSize(record), 1, kMaxPointSize);
    FontSpec font = FontSpec::fromPoints(textbox::fontFace(record),
                                         static_cast<int>(std::lround(size * ctx_.options.fontScale)));
    font.bold = intField(record, textfield::Bold) == 1;
    font.italic = intField(record, textfield::Italic) == 1;
    font.underline = intField(record, textfield::Underline) == 1;
    surface.setFont(font);
    const std::string_view attachment = fields::textField(record, textfield::Attachment).value_or("");
    const std::optional<int> label = captionOf(attachment);
    const Colour colour = label && ctx_.labelRed(*label) ? kRed : textbox::colour(record) & 0xFFFFFF;
    surface.setTextColour(colour);

    Box box;
    box.lines = splitNameLines(captionText(label, fields::decodePeriods(textbox::message(record, report))));
    for (const std::string& line : box.lines) {
        const Size extent = markedTextExtent(surface, font, line);
        box.widths.push_back(extent.width);
        box.widest = std::max(box.widest, extent.width);
        box.height = extent.height;
    }
    box.leading = surface.fontLeading();

    const int left = textbox::left(record, report), top = textbox::top(record, report);
    // The stored right and bottom are read for what a damaged record reports; the box is drawn,
    // and found by the mouse, at the size of its text.
    textbox::right(record, report);
    const int bottom = textbox::bottom(record, report);
    std::string whole;
    if (!label && box.lines.size() == 1)
        fitToRun(box, left, top, bottom, whole);
    const int scrollX = l.cellWidth * l.firstVisibleCell;
    const int scrollY = l.rowPitch() * l.firstVisibleSignal();
    Point at = label ? captionPosition(*label, box, intField(record, textfield::DragX), intField(record, textfield::DragY))
                     : Point{left + box.shift - scrollX, top - scrollY};
    // A free box's stored place knows nothing of the print margins; a caption follows its label,
    // which this redraw placed with them.
    if (ctx_.printing() && !label) {
        at.x += 2 * ctx_.options.printOffset;
        at.y += ctx_.options.printOffset;
    }

    const int lineCount = static_cast<int>(box.lines.size());
    const int i = box.leading.internal;
    const Rect drawn{at.x - i, at.y, Layout::clampCoordinate(static_cast<long long>(at.x) + box.widest + i),
                     Layout::clampCoordinate(static_cast<long long>(at.y) + static_cast<long long>(lineCount) * box.height)};
    const AnnotationSelection& sel = ctx_.options.annotations;
    // A box flagged in the text selection loses its outline whatever is selected now; the dotted
    // frame that takes its place is drawn only while text boxes are the selection.
    const bool flagged = index >= 0 && index < AnnotationSelection::kTextFlags &&
                         sel.textSelected[static_cast<size_t>(index)];
    const bool selected = sel.textBoxes && flagged;

    const int outline = intField(record, textfield::Outline);
    if (!flagged && (outline == Plain || outline == Rounded)) {
        surface.setPen(Pen::solid(kBlack));
        surface.setBrush(Brush::solid(kWhite));
        if (outline == Plain)
            surface.rectangle(drawn);
        else
            surface.roundRect(drawn, kRoundCorner, kRoundCorner);
        if (ctx_.svgMain())
            svg::textBoxOutline(*ctx_.svg, drawn, outline == Rounded);
    }

    const int justification = intField(record, textfield::Justification);
    const svg::TextLineStyle style{justification, size, colour, font.face, font.bold, font.italic, font.underline, whole};
    for (int k = 0; k < lineCount; ++k) {
        const int width = box.widths[static_cast<size_t>(k)];
        const int x = justification == Centre ? at.x + box.widest / 2 - width / 2
                      : justification == Right ? at.x + box.widest - width
                                               : at.x;
        const int y = Layout::clampCoordinate(static_cast<long long>(at.y) + static_cast<long long>(k) * (size + kLineGap));
        markedTextOut(surface, font, colour, x, y, box.lines[static_cast<size_t>(k)]);
        if (ctx_.svgMain())
            svg::textBoxLine(*ctx_.svg, x, y + box.height - (label ? kSvgCaptionRaise : 0), box.lines[static_cast<size_t>(k)],
                             style);
    }
    if (selected)
        drawSelection(drawn);
    if (!ctx_.printing()) {
        ctx_.memory.annotations.textBoxes.push_back({index, drawn, drawn, label.has_value()});
    }
}

void TextBoxPainter::fitToRun(Box& box, long long left, long long top, long long bottom, std::string& whole)
{
    std::string& line = box.lines.front();
    if (line.empty() || hasMarkup(line))
        return;
    if (!runs_)
        runs_.emplace(ctx_.diagram, Layout::from(ctx_.diagram.settings));
    const std::optional<BusValueFit::Run> run = runs_->runUnder(left, top, bottom);
    if (!run)
        return;
    Surface& surface = ctx_.surface;
    const std::string_view shown = BusValueFit::shownValue(line);
    if (shown.size() != line.size()) {
        line = std::string(shown);
        box.widths.front() = box.widest = surface.textExtent(line).width;
    }
    if (box.widest <= run->end - left)
        return;
    // Shortened, the value starts clear of the slant of the change that begins its run (a wide
    // value's box starts at that change) and ends a pixel before the change that ends it.
    const long long from = std::max<long long>(left, run->begin + runs_->slantWidth() + 1);
    whole = line;
    line = shortenedToFit(surface, whole, run->end - 1 - from);
    box.widths.front() = box.widest = surface.textExtent(line).width;
    box.shift = static_cast<int>(from - left);
}

std::string TextBoxPainter::captionText(std::optional<int> label, std::string text) const
{
    if (!label || !holdsMeasuredField(text))
        return text;
    const auto* times = ctx_.labelTimes;
    const bool known = times && *label >= 0 && static_cast<size_t>(*label) < times->size();
    return measuredCaption(text, known ? (*times)[static_cast<size_t>(*label)] : std::nullopt);
}

bool TextBoxPainter::captionOffSurface(int label, const std::string& record, std::string_view message) const
{
    if (label < 0 || static_cast<size_t>(label) >= labels_.size() || !labels_[static_cast<size_t>(label)])
        return false;
    // A caption's top is known before it is measured (captionPosition); its height is at most
    // twice its size in pixels a line.
    const LabelHit& hit = *labels_[static_cast<size_t>(label)];
    const long long y = static_cast<long long>(floorToFour(hit.measureYBeforeOffset)) + (hit.measureY - hit.measureYBeforeOffset) +
                        intField(record, model::textfield::DragY);
    const long long lines = 1 + static_cast<long long>(model::splitNameLines(message).size());
    const int size = std::clamp(model::textbox::fontSize(record), 1, kMaxPointSize);
    const long long reach = static_cast<long long>(static_cast<double>(lines * 2 * (FontSpec::pixelsForPoints(size) + kLineGap)) *
                                                   std::max(1.0, ctx_.options.fontScale));
    return y > ctx_.surface.size().height || y + reach < 0;
}

Point TextBoxPainter::captionPosition(int label, const Box& box, int dragX, int dragY)
{
    Point at = kNoLabelPosition;
    if (label >= 0 && static_cast<size_t>(label) < labels_.size() && labels_[static_cast<size_t>(label)]) {
        const LabelHit& hit = *labels_[static_cast<size_t>(label)];
        const long long middle = (static_cast<long long>(hit.begin.x) + hit.end.x) / 2;
        const int offset = hit.measureY - hit.measureYBeforeOffset;
        at = {Layout::clampCoordinate(middle + dragX - (box.widest + box.leading.external) / 2),
              Layout::clampCoordinate(static_cast<long long>(floorToFour(hit.measureYBeforeOffset)) + offset + dragY)};
    }
    return at;
}

void TextBoxPainter::drawSelection(const Rect& frame)
{
    Surface& surface = ctx_.surface;
    surface.setPen(Pen::dotted(model::kBlack));
    surface.setBrush(Brush::none());
    surface.rectangle(frame);
    const int middleY = (frame.top + frame.bottom) / 2;
    const int half = kHandleWidth / 2;
    for (int x : {frame.left, (frame.left + frame.right) / 2, frame.right}) {
        surface.fillRect({x - half, middleY - half, x + half, middleY + half}, Brush::solid(model::kBlack));
    }
}

} // namespace sigmora::render
