#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/Diagram.h"
#include "render/Layout.h"

namespace sigmora::io {

// How a row's lane lays its characters over the columns: one character every `step` columns
// (2, or 1 for a lane of one character per cell), the first one starting `shift` columns before
// column 0. wave is the lane's wave, which time breaks mark with gaps; null for a separator.
struct LaneShape {
    int step = 2;
    int shift = 0;
    std::string* wave = nullptr;
};

// What of a diagram besides its lanes WaveJSON carries, and what it cannot:
// - arrows become node letters on the lanes of their ends joined by an edge ("a~>b" curved,
//   "a->b" straight, "a-|>b" angled, "<" and ">" for the heads), with the text of a free text box
//   at the arrow's middle as the edge's text;
// - setup/hold labels become "<->" edges (their heads as they are) with their caption as text;
// - time breaks become gaps "|" on their lanes, where the lane holds its value there;
// - a free text box above the first row becomes head.text, one below the last row (or on the blank
//   row kept for it at the end) foot.text.
// notes lists, one sentence each, what is left out: flood fills other than undefined values, text
// boxes that are none of the above (nor bus values, nor group names), colours, and annotations whose
// points find no place.
class WaveJsonAnnotations {
public:
    WaveJsonAnnotations(const model::Diagram& diagram, const render::Layout& layout, std::vector<LaneShape> lanes,
                        const std::set<std::size_t>& valueTexts);

    // The node letters of a row's lane, one a character ('.' between them); empty when none.
    std::string nodes(int row) const;
    std::vector<std::string> edges;
    std::string head;
    std::string foot;
    // The last row is the blank row that only holds the foot: it gets no lane of its own.
    bool footRow = false;
    std::vector<std::string> notes;

private:
    struct Point {
        int row = -1;
        int column = 0;
    };
    std::optional<Point> point(std::string_view record, int columnField, int rowField) const;
    std::optional<char> node(const Point& p);
    std::string edgeText(std::string_view ends, const std::string& caption) const;
    void arrows();
    void labels();
    void timeBreaks();
    void headAndFoot();
    void leftOut();
    std::optional<std::size_t> freeBoxNear(int x, int y);
    void indexFreeBoxes();

public:
    // A text box as the annotations read it.
    struct Box {
        int left, top, right, bottom;
        std::string text;
        std::string attachment;
        long colour;
    };

private:
    const model::Diagram& diagram_;
    const render::Layout& layout_;
    std::vector<LaneShape> lanes_;
    std::set<std::size_t> carriedTexts_;
    std::map<int, std::map<int, char>> nodes_; // row, character, letter
    std::vector<Box> boxes_;                   // the text list, read once
    std::map<std::string, std::vector<std::size_t>> captions_; // label caption attachment (lower case) -> boxes
    // Free boxes not yet carried, by the cell and row height they start in, in list order.
    std::map<std::pair<long long, long long>, std::set<std::size_t>> freeBoxes_;
    bool freeBoxesIndexed_ = false;
    int nextNode_ = 0;
    int lostPoints_ = 0;
    int movedPoints_ = 0;
    int lostBreaks_ = 0;
};

} // namespace sigmora::io
