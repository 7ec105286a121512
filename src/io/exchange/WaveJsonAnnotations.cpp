#include "io/exchange/WaveJsonAnnotations.h"

#include <algorithm>
#include <cstdlib>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"
#include "model/TextLines.h"

namespace sigmora::io {

namespace {

namespace fields = model::fields;

constexpr std::string_view kLabelCaption = "WFLabel*";
constexpr int kNodeLetters = 52; // a-z, A-Z
constexpr model::Colour kDefaultHatch = 8421504;
enum HeadCode { HeadAtEnd = 0, HeadAtBegin = 1, HeadsBoth = 2, HeadsNone = 3 };
enum LineKind { Curve = 0, Straight = 1, Angled = 2 };

using Box = WaveJsonAnnotations::Box;

Box readBox(std::string_view r)
{
    return {fields::intField(r, model::textfield::Left),     fields::intField(r, model::textfield::Top),
            fields::intField(r, model::textfield::Right),    fields::intField(r, model::textfield::Bottom),
            model::singleLineText(std::string(fields::textField(r, model::textfield::Message).value_or(""))),
            std::string(fields::textField(r, model::textfield::Attachment).value_or("")),
            std::atol(std::string(fields::textField(r, model::textfield::Colour).value_or("0")).c_str())};
}

int middle(const Box& b) { return (b.top + std::max(b.top, b.bottom)) / 2; }

std::string count(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

long long floorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

} // namespace

WaveJsonAnnotations::WaveJsonAnnotations(const model::Diagram& diagram, const render::Layout& layout,
                                         std::vector<LaneShape> lanes, const std::set<std::size_t>& valueTexts)
    : diagram_(diagram), layout_(layout), lanes_(std::move(lanes)), carriedTexts_(valueTexts)
{
    // Every text box is read once; the captions of labels are found by their attachment.
    const auto& texts = diagram_.store.list(model::ListId::Texts).records();
    boxes_.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        boxes_.push_back(readBox(texts[i]));
        if (model::startsWithIgnoringCase(boxes_.back().attachment, kLabelCaption))
            captions_[lower(boxes_.back().attachment)].push_back(i);
    }
    headAndFoot();
    arrows();
    labels();
    timeBreaks();
    leftOut();
}

std::string WaveJsonAnnotations::nodes(int row) const
{
    const auto it = nodes_.find(row);
    if (it == nodes_.end())
        return {};
    std::string out(static_cast<std::size_t>(it->second.rbegin()->first + 1), '.');
    for (const auto& [character, letter] : it->second)
        out[static_cast<std::size_t>(character)] = letter;
    return out;
}

std::optional<WaveJsonAnnotations::Point> WaveJsonAnnotations::point(std::string_view record, int columnField,
                                                                    int rowField) const
{
    if (!fields::hasField(record, rowField))
        return std::nullopt;
    const int row = diagram_.store.findSignal(fields::textField(record, rowField).value_or(""));
    if (row < 0 || static_cast<std::size_t>(row) >= lanes_.size() || !lanes_[static_cast<std::size_t>(row)].wave)
        return std::nullopt;
    return Point{row, fields::intField(record, columnField)};
}

// The letter at the character of the point's lane that starts at its column (or the nearer one
// when the column lies inside a character); nullopt when every letter is taken.
std::optional<char> WaveJsonAnnotations::node(const Point& p)
{
    const LaneShape& lane = lanes_[static_cast<std::size_t>(p.row)];
    const int offset = std::max(0, p.column + lane.shift);
    int character = offset / lane.step;
    if (offset % lane.step != 0) {
        ++movedPoints_;
        character += 2 * (offset % lane.step) >= lane.step ? 1 : 0;
    }
    std::map<int, char>& row = nodes_[p.row];
    if (const auto it = row.find(character); it != row.end())
        return it->second;
    if (nextNode_ >= kNodeLetters) {
        if (row.empty())
            nodes_.erase(p.row);
        return std::nullopt;
    }
    const char letter = static_cast<char>(nextNode_ < 26 ? 'a' + nextNode_ : 'A' + nextNode_ - 26);
    ++nextNode_;
    row[character] = letter;
    return letter;
}

// The free boxes (attached to no row) that no earlier part carries, by where they start: finding
// the one near an arrow looks at the few cells around it, not at every box.
void WaveJsonAnnotations::indexFreeBoxes()
{
    freeBoxesIndexed_ = true;
    const long long w = std::max(layout_.cellWidth, 1), h = std::max(layout_.signalHeight, 1);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Box& b = boxes_[i];
        if (carriedTexts_.count(i) || !model::equalsIgnoringCase(b.attachment, model::kUnattached))
            continue;
        freeBoxes_[{floorDiv(b.left, w), floorDiv(b.top, h)}].insert(i);
    }
}

// The first free box (in list order) within a cell width and a signal height of (x, y); it is
// taken out of the index, as it is carried from now on.
std::optional<std::size_t> WaveJsonAnnotations::freeBoxNear(int x, int y)
{
    if (!freeBoxesIndexed_)
        indexFreeBoxes();
    const long long w = std::max(layout_.cellWidth, 1), h = std::max(layout_.signalHeight, 1);
    std::optional<std::size_t> best;
    std::set<std::size_t>* bucketOfBest = nullptr;
    for (long long bx = floorDiv(x - w, w); bx <= floorDiv(x + w, w); ++bx)
        for (long long by = floorDiv(y - h, h); by <= floorDiv(y + h, h); ++by) {
            const auto it = freeBoxes_.find({bx, by});
            if (it == freeBoxes_.end())
                continue;
            for (std::size_t i : it->second) {
                if (best && i > *best)
                    break;
                const Box& b = boxes_[i];
                if (std::abs(b.left - x) <= layout_.cellWidth && std::abs(b.top - y) <= layout_.signalHeight) {
                    best = i;
                    bucketOfBest = &it->second;
                    break;
                }
            }
        }
    if (best)
        bucketOfBest->erase(*best);
    return best;
}

void WaveJsonAnnotations::arrows()
{
    const int cw = layout_.cellWidth;
    for (const std::string& r : diagram_.store.list(model::ListId::Arrows).records()) {
        const auto from = point(r, 0, 1), to = point(r, 2, 3);
        if (!fields::hasField(r, 3))
            continue; // an arrow being drawn
        std::optional<char> a, b;
        if (!from || !to || !(a = node(*from)) || !(b = node(*to))) {
            ++lostPoints_;
            continue;
        }
        const int head = fields::intField(r, 4), kind = fields::intField(r, 6);
        const std::string body = kind == Straight ? "-" : kind == Angled ? "-|" : "~";
        const bool begin = head == HeadAtBegin || head == HeadsBoth, end = head == HeadAtEnd || head == HeadsBoth;
        std::string caption;
        const int x = layout_.waveOriginX() + (from->column + to->column) * cw / 2;
        const int y = (layout_.rowTop(from->row) + layout_.rowTop(to->row)) / 2 + layout_.signalHeight / 2;
        if (const auto box = freeBoxNear(x, y)) {
            carriedTexts_.insert(*box);
            caption = boxes_[*box].text;
        }
        edges.push_back(edgeText(std::string(1, *a) + (begin ? "<" : "") + body + (end ? ">" : "") + *b, caption));
    }
}

std::string WaveJsonAnnotations::edgeText(std::string_view ends, const std::string& caption) const
{
    return caption.empty() ? std::string(ends) : std::string(ends) + " " + caption;
}

void WaveJsonAnnotations::labels()
{
    const auto& labels = diagram_.store.list(model::ListId::Labels).records();
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const std::string& r = labels[k];
        if (!fields::hasField(r, 3))
            continue;
        const auto from = point(r, 0, 1), to = point(r, 2, 3);
        std::optional<char> a, b;
        if (!from || !to || !(a = node(*from)) || !(b = node(*to))) {
            ++lostPoints_;
            continue;
        }
        const int head = fields::hasField(r, 4) ? fields::intField(r, 4) : HeadsBoth;
        const bool begin = head == HeadAtBegin || head == HeadsBoth, end = head == HeadAtEnd || head == HeadsBoth;
        const std::string caption = lower(std::string(kLabelCaption) + std::to_string(k) + "*");
        std::string text;
        if (const auto it = captions_.find(caption); it != captions_.end())
            for (std::size_t i : it->second) {
                carriedTexts_.insert(i);
                text = boxes_[i].text;
            }
        edges.push_back(edgeText(std::string(1, *a) + (begin ? "<" : "") + "-" + (end ? ">" : "") + *b, text));
    }
}

void WaveJsonAnnotations::timeBreaks()
{
    for (const std::string& r : diagram_.store.list(model::ListId::TimeBreaks).records()) {
        const auto p = point(r, 0, 1);
        if (!p) {
            ++lostBreaks_;
            continue;
        }
        const LaneShape& lane = lanes_[static_cast<std::size_t>(p->row)];
        const int offset = p->column + lane.shift;
        const std::size_t character = static_cast<std::size_t>(offset / lane.step);
        // A gap takes the place of a character that holds the value; it cannot stand for a change.
        if (offset >= 0 && offset % lane.step == 0 && character < lane.wave->size() &&
            ((*lane.wave)[character] == '.' || (*lane.wave)[character] == '|'))
            (*lane.wave)[character] = '|';
        else
            ++lostBreaks_;
    }
}

void WaveJsonAnnotations::headAndFoot()
{
    const model::RecordList& rows = diagram_.store.signals();
    const int last = rows.count() - 1;
    if (last < 0)
        return;
    const model::SignalRow lastRow = model::parseSignalRow(rows.get(last));
    const bool blankLast = lastRow.separator && lastRow.name.empty() &&
                           lastRow.separatorKind == static_cast<int>(model::SeparatorKind::Blank);
    const int firstBand = layout_.rowTop(0) - layout_.signalSpacing / 2;
    const int lastBandTop = layout_.rowTop(last) - layout_.signalSpacing / 2;
    const int lastBandBottom = layout_.rowTop(last) + layout_.signalHeight + layout_.signalSpacing / 2;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Box& b = boxes_[i];
        if (!model::equalsIgnoringCase(b.attachment, model::kUnattached))
            continue;
        const int y = middle(b);
        if (head.empty() && y < firstBand) {
            head = b.text;
            carriedTexts_.insert(i);
        } else if (foot.empty() && (y >= lastBandBottom || (blankLast && y >= lastBandTop))) {
            foot = b.text;
            footRow = blankLast && y < lastBandBottom;
            carriedTexts_.insert(i);
        }
    }
}

void WaveJsonAnnotations::leftOut()
{
    const model::RecordList& rows = diagram_.store.signals();
    int floods = 0, colours = 0;
    for (int i = 0; i < rows.count(); ++i) {
        const std::string& record = rows.get(i);
        const model::SignalRow row = model::parseSignalRow(record);
        if (row.separator)
            continue;
        bool hatched = false;
        for (int k = 0; k < std::min(diagram_.settings.cellCount, model::kMaxCells); ++k) {
            const int style = diagram_.store.floodStyles().get(i, k);
            const std::size_t c = static_cast<std::size_t>(k + 1);
            hatched = hatched || style != 0;
            floods += style != 0 && !(c < row.waveform.size() && row.waveform[c] == '2');
        }
        colours += row.waveColour != 0 || row.nameColour != 0 ||
                   (hatched && model::signal::hatchColour(record) != kDefaultHatch);
    }
    for (const auto list : {model::ListId::Arrows, model::ListId::Labels})
        for (const std::string& r : diagram_.store.list(list).records())
            colours += fields::hasField(r, 5) && fields::intField(r, 5) != 0;
    int texts = 0;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Box& b = boxes_[i];
        colours += b.colour != 0;
        if (carriedTexts_.count(i) || model::startsWithIgnoringCase(b.attachment, kLabelCaption))
            continue;
        // A group's name on its separator row goes with the group.
        const int row = diagram_.store.findSignal(b.attachment);
        if (row >= 0 && model::parseSignalRow(rows.get(row)).separator && b.text == model::singleLineText(
                                                                                 model::parseSignalRow(rows.get(row)).name))
            continue;
        ++texts;
    }
    if (floods)
        notes.push_back(count(floods, "shaded cell (flood fill)", "shaded cells (flood fills)") +
                        " other than undefined values: WaveJSON shades only undefined values (x).");
    if (texts)
        notes.push_back(count(texts, "text box", "text boxes") +
                        " among the rows: WaveJSON has text only above and below the lanes and on edges.");
    if (colours)
        notes.push_back("The colours of " + count(colours, "row, arrow, label or text box", "rows, arrows, labels and text boxes") +
                        ": WaveJSON has no colours.");
    if (lostPoints_)
        notes.push_back(count(lostPoints_, "arrow or label", "arrows and labels") +
                        " whose ends lie on no lane, or past the 52 node letters.");
    if (movedPoints_)
        notes.push_back(count(movedPoints_, "arrow or label end", "arrow and label ends") +
                        " between two characters of a lane moved to the nearer character.");
    if (lostBreaks_)
        notes.push_back(count(lostBreaks_, "time break", "time breaks") +
                        " where the lane changes its value or has none: a gap only stands where a value holds.");
}

} // namespace sigmora::io
