#include "model/NameColumnFitter.h"

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "model/TextLines.h"

namespace sigmora::model {

namespace {
constexpr int kMinimumNameColumn = 100;
} // namespace

FontSpec nameMeasureFont()
{
    return FontSpec::fromPoints(std::string(kDefaultFace), kDefaultNameSize);
}

void fitNameColumn(Diagram& diagram, const TextMeasurer& measurer)
{
    const FontSpec font = nameMeasureFont();
    const RecordList& rows = diagram.store.signals();
    int widest = 0;
    int chars = 0;
    for (const std::string& record : rows.records()) {
        for (const std::string& line : splitNameLines(fields::decodePeriods(fields::nameOfRow(record)))) {
            int w = measurer.textWidth(line, font);
            if (w > widest) {
                widest = w;
                chars = static_cast<int>(line.size());
            }
        }
    }
    DiagramSettings& s = diagram.settings;
    s.nameColumnChars = rows.count() == 0 ? 0 : chars;
    const int before = s.nameColumnWidth;
    s.nameColumnWidth = widest + s.nameMargin > kMinimumNameColumn - 1 ? widest + s.nameMargin : kMinimumNameColumn;
    const int shift = s.nameColumnWidth - before;
    if (shift == 0)
        return;
    RecordList& texts = diagram.store.list(ListId::Texts);
    for (int i = 0; i < texts.count(); ++i) {
        std::string record = texts.get(i);
        int left = fields::intField(record, textfield::Left);
        int right = fields::intField(record, textfield::Right);
        record = fields::withIntField(record, textfield::Left, left + shift);
        record = fields::withIntField(record, textfield::Right, right + shift);
        texts.replace(i, std::move(record));
    }
}

} // namespace sigmora::model
