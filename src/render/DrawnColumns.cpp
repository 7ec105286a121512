#include "render/DrawnColumns.h"

#include <algorithm>
#include <limits>

#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextLines.h"

namespace sigmora::render {

namespace {

constexpr std::string_view kLabelCaption = "WFLabel*";
constexpr int kFirstHatch = 2;
constexpr int kLastHatch = 7;
constexpr long long kFar = std::numeric_limits<long long>::max() / 4;

} // namespace

int drawnColumnCount(const Layout& layout)
{
    return std::max(std::min(layout.drawnCells(), model::kMaxCells) - 1, 0);
}

int cellCountDrawing(int columns)
{
    return std::clamp(columns, 0, kMaxDrawnColumns) + 1;
}

char drawnCharacter(std::string_view waveform, int k)
{
    if (k >= 0 && static_cast<std::size_t>(k) < waveform.size())
        return waveform[static_cast<std::size_t>(k)];
    return waveform.empty() ? '1' : waveform.back();
}

bool hatchesColumn(int floodStyle)
{
    return floodStyle >= kFirstHatch && floodStyle <= kLastHatch;
}

ColumnEdges::ColumnEdges(const model::Diagram& d, const Layout& layout, int row, int columns)
    : layout_(layout), columns_(columns)
{
    const model::CellGrid& offsets = d.store.edgeOffsets();
    long long sum = 0;
    const int entries = std::min(columns + 2, model::kMaxCells);
    sums_.reserve(static_cast<std::size_t>(entries));
    for (int k = 0; k < entries; ++k) {
        sum += offsets.get(row, k);
        sums_.push_back(sum);
    }
}

long long ColumnEdges::offset(int column) const
{
    if (sums_.empty())
        return 0;
    const std::size_t k = static_cast<std::size_t>(std::clamp(column + 1, 0, static_cast<int>(sums_.size()) - 1));
    return sums_[k];
}

long long ColumnEdges::changeX(int column) const
{
    if (column < 0)
        return -kFar;
    if (column > columns_)
        return kFar;
    // Column `columns_` is where the drawing ends.
    return layout_.waveOriginX() + static_cast<long long>(column) * layout_.cellWidth + offset(column);
}

std::optional<int> rowOfBand(const Layout& layout, long long y, int rows)
{
    const long long pitch = layout.rowPitch();
    if (pitch <= 0)
        return std::nullopt;
    // The band of row i runs from rowTop(i) - spacing / 2 for signalHeight + spacing pixels.
    const long long fromFirst = y - (layout.topMargin - layout.signalSpacing / 2);
    if (fromFirst < 0)
        return std::nullopt;
    const long long row = fromFirst / pitch;
    const long long bandBottom = layout.topMargin + row * pitch + layout.signalHeight + layout.signalSpacing / 2;
    if (row >= rows || y >= bandBottom)
        return std::nullopt;
    return static_cast<int>(row);
}

BusValueBoxes::BusValueBoxes(const model::Diagram& d, const Layout& layout) : layout_(layout)
{
    namespace fields = model::fields;
    model::ReaderReport ignored;
    const auto& texts = d.store.list(model::ListId::Texts).records();
    const int rows = d.store.signalCount();
    byRow_.resize(static_cast<std::size_t>(std::max(rows, 0)));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& r = texts[i];
        const auto attachment = fields::textField(r, model::textfield::Attachment);
        if (attachment && attachment->substr(0, kLabelCaption.size()) == kLabelCaption)
            continue; // the caption of a setup/hold label
        const long long top = model::textbox::top(r, ignored);
        const long long bottom = std::max<long long>(top, model::textbox::bottom(r, ignored));
        const long long middle = (top + bottom) / 2;
        const std::optional<int> row = rowOfBand(layout, middle, rows);
        if (!row)
            continue;
        byRow_[static_cast<std::size_t>(*row)].push_back(boxes_.size());
        boxes_.push_back({model::textbox::left(r, ignored), middle,
                          model::singleLineText(model::textbox::message(r, ignored)), i});
    }
}

const BusValueBoxes::Box* BusValueBoxes::on(int row, long long x0, long long x1) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= byRow_.size())
        return nullptr;
    const long long half = layout_.cellWidth / 2;
    for (std::size_t b : byRow_[static_cast<std::size_t>(row)]) {
        const Box& box = boxes_[b];
        if (box.left >= x0 - half && box.left < x1 - half)
            return &box;
    }
    return nullptr;
}

} // namespace sigmora::render
