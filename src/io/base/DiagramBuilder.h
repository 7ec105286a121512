#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::io {

// One row read from another program's file, in plain terms: the name as the user sees it
// (periods and line breaks included) and one cell value per column.
struct ImportedRow {
    std::string name;
    bool clock = false;
    bool risingArrows = false;
    bool fallingArrows = false;
    char entry = 0;            // the level entering column 0; 0 for the value of column 0
    std::string cells;         // '0', '1', '2', '3' or '4' per column
    std::vector<bool> hatched; // columns shaded as undefined
    std::vector<std::pair<int, std::string>> values; // bus values: first column and text
};

// Builds an imported diagram into a diagram that has just been reset: row records, the hatch of
// undefined cells, bus values as text boxes in the middle of their runs at the size of the row's
// name, arrows and free text, all placed on
// the diagram's layout, and at the end the cell count and the name column.
class DiagramBuilder {
public:
    DiagramBuilder(model::Diagram& diagram, const model::TextMeasurer& measurer);

    bool full() const;
    int rowCount() const;
    // Index of the new row, or -1 when the diagram holds its 256 rows.
    int addRow(const ImportedRow& row);
    int addSeparator(std::string_view name, int kind);
    // An arrow from the column boundary at the left of fromColumn on row fromRow to that of toColumn
    // on toRow, with a head code and line kind as arrow records keep them, and a caption.
    void addArrow(int fromColumn, int fromRow, int toColumn, int toRow, int headCode, int lineKind,
                  std::string_view caption);
    // Free text with its top left corner at (x, y) in diagram coordinates; y may name a point above
    // the first row or below the last.
    void addFreeText(int x, int y, std::string_view text);
    // A time break at the column boundary on the left of column on a row.
    void addTimeBreak(int column, int row);
    // Text on a row's middle line at the waveform's start, attached to the row (a group's name on
    // its separator row).
    void addRowCaption(int row, std::string_view text);
    // Room above the first row for one line of free text (a title): the top margin grows by the
    // line and a gap. Call before the first row. Answers the y of the line.
    int makeRoomForTitle();
    // Height of one line of free text.
    int freeTextHeight() const;
    // Sets the cell count and the waveform width so that the drawing shows the columns (one cell
    // more than them), and fits the name column (moving every text box with it).
    void finish(int columns);

    int waveOriginX() const;
    int rowTop(int row) const;

private:
    void addValue(int column, int end, int top, std::string_view text, std::string_view attachment,
                  const std::string& face, int points);
    void addTextBox(int x, int y, int width, const std::string& plain, std::string_view attachment,
                    const std::string& face, int points);

    model::Diagram& diagram_;
    const model::TextMeasurer& measurer_;
    struct PendingArrow {
        int fromColumn, fromRow, toColumn, toRow, headCode, lineKind;
    };
    std::vector<PendingArrow> arrows_;
    std::vector<std::pair<int, int>> undefinedTails_; // row, first column past what was read
};

// A row name as records keep it: periods as the period marker, line breaks as backslash and n,
// no tabs, at most kMaxImportedName bytes.
inline constexpr std::size_t kMaxImportedName = 200;
std::string importedRowName(std::string_view plain);

} // namespace sigmora::io
