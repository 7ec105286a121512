// A helper of the real-window tests, reading and writing diagram files without a window:
//   e2e_diagram make FILE ROWS            writes a diagram of ROWS low signals
//   e2e_diagram marked FILE ROWS          the same, with cell i of row i high (to tell rows apart)
//   e2e_diagram edges FILE ROWS           the same, with cells 2 + 2i to 5 + 2i of row i high
//   e2e_diagram timed FILE                writes two signals with ideal edges (row 0 rising at cell
//                                         2, row 1 at cell 6), a label between those edges whose
//                                         caption measures it ("t = {t}", 20 ns) and a parameter
//                                         "tMAX" of at most 22 ns bound to it
//   e2e_diagram point FILE ROW CELL high|low   prints the view point "x y" inside that cell's half
//   e2e_diagram waves FILE                prints each row's waveform, one a line
//   e2e_diagram anchor FILE ROW CELL      prints the view point "x y" where an arrow end anchored
//                                         in the middle of that cell's edge is drawn
//   e2e_diagram measure FILE ROW CELL ROW2 CELL2  prints the view point "x y" of the middle handle
//                                         of a label between those two centre-anchored ends
//   e2e_diagram list FILE arrows|labels|breaks|texts   prints that record list, one a line
//   e2e_diagram append FILE arrows|labels|breaks|texts RECORD   adds the record to that list and
//                                         writes the file again
//   e2e_diagram values FILE ROW           prints each text box on ROW with the bus run it should
//                                         lie on (the k-th box, the k-th run); fails when the middle
//                                         of a box lies off its run
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "edit/Editor.h"
#include "edit/grid/GridMapping.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "render/AnnotationPlacer.h"
#include "render/LabelPainter.h"

namespace {

using namespace sigmora;

struct NoUi : edit::UiPort {
    void showMessage(const std::string&, const std::string&, edit::MessageIcon) override {}
    bool askYesNo(const std::string&, const std::string&, edit::MessageIcon) override { return false; }
    edit::Answer askYesNoCancel(const std::string&, const std::string&, edit::MessageIcon) override
    {
        return edit::Answer::Cancel;
    }
    std::optional<int> choosePeriodDivider(int) override { return std::nullopt; }
    std::optional<std::string> openFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<std::string> saveFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<std::vector<int>> chooseDutClocks(const std::vector<std::string>&) override { return std::nullopt; }
    void popupContextMenu(edit::ContextMenuKind, int, int) override {}
    std::optional<io::VcdChoice> chooseVcdImport(const io::VcdSurvey&, const io::VcdChoice&) override { return std::nullopt; }
    std::optional<edit::TextAttributes> editTextAttributes(const edit::TextAttributes&) override { return std::nullopt; }
    std::optional<model::Colour> chooseColour(model::Colour) override { return std::nullopt; }
    void addToRecentFiles(const std::string&) override {}
};

struct SevenPixels : model::TextMeasurer {
    int textWidth(std::string_view text, const model::FontSpec&) const override
    {
        return static_cast<int>(text.size()) * 7;
    }
    int lineHeight(const model::FontSpec&) const override { return 16; }
};

bool load(const char* path, model::Diagram& diagram)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return io::readNativeFile(bytes, diagram).status == io::ReadResult::Status::Ok;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string what = argc > 2 ? argv[1] : "";
    if ((what == "make" || what == "marked" || what == "edges") && argc == 4) {
        NoUi ui;
        SevenPixels measurer;
        edit::Editor editor(ui, measurer);
        editor.diagram().settings.newSignalLevel = 0;
        for (int i = 0; i < std::atoi(argv[3]); ++i) {
            editor.addRow(model::NewRowKind::Signal);
            auto& rows = editor.diagram().store.signals();
            std::string wave(model::signal::waveform(rows.get(i)));
            if (what == "marked")
                wave[i + 1] = '1';
            for (int cell = 2 + 2 * i; what == "edges" && cell <= 5 + 2 * i; ++cell)
                wave[cell + 1] = '1';
            rows.replace(i, model::signal::withDataField(rows.get(i), model::signalfield::Waveform, wave));
        }
        std::string bytes;
        io::writeNativeFile(editor.diagram(), bytes);
        std::ofstream(argv[2], std::ios::binary) << bytes;
        return 0;
    }
    if (what == "timed" && argc == 3) {
        NoUi ui;
        SevenPixels measurer;
        edit::Editor editor(ui, measurer);
        editor.diagram().settings.newSignalLevel = 0;
        auto& rows = editor.diagram().store.signals();
        for (int i = 0; i < 2; ++i) {
            editor.addRow(model::NewRowKind::Signal);
            std::string wave(model::signal::waveform(rows.get(i)));
            for (std::size_t c = (i == 0 ? 2 : 6) + 1; c < wave.size(); ++c)
                wave[c] = '1';
            std::string record = model::signal::withDataField(rows.get(i), model::signalfield::Waveform, wave);
            rows.replace(i, model::signal::withDataField(record, model::signalfield::Ideal, "1"));
        }
        const std::string row0(model::fields::nameOfRow(rows.get(0)));
        const std::string row1(model::fields::nameOfRow(rows.get(1)));
        editor.diagram().store.list(model::ListId::Labels).append("2." + row0 + ".6." + row1 + ".2.0.0.1.0.0.0.1.");
        editor.diagram().store.list(model::ListId::Texts)
            .append("0.0.0.0.t = {t}.WFLabel*0*.     0.Arial.12.0.0.1.0.1.0.0.");
        model::TimingParameter p;
        p.symbol = "tMAX";
        p.max = 22;
        p.label = 0;
        editor.diagram().extension.parameters = {p};
        std::string bytes;
        io::writeNativeFile(editor.diagram(), bytes);
        std::ofstream(argv[2], std::ios::binary) << bytes;
        return 0;
    }
    model::Diagram diagram;
    if (argc < 3 || !load(argv[2], diagram)) {
        std::fprintf(stderr, "usage: e2e_diagram make|point|waves FILE ...\n");
        return 2;
    }
    if (what == "point" && argc == 6) {
        const edit::GridMapping g = edit::GridMapping::of(diagram);
        const render::Layout& l = g.layout();
        const int row = std::atoi(argv[3]);
        const int cell = std::atoi(argv[4]);
        const int middle = l.middleLevel(l.signalTop(row));
        const bool high = std::string(argv[5]) == "high";
        std::printf("%d %d\n", l.waveOriginX() + (cell - l.firstVisibleCell) * l.cellWidth + l.cellWidth / 2,
                    high ? middle - 4 : middle + 4);
        return 0;
    }
    if (what == "anchor" && argc == 5) {
        const render::AnnotationPlacer placer(diagram, render::Layout::from(diagram.settings));
        const render::Point p = placer.place({std::atoi(argv[4]), std::atoi(argv[3]), render::kAnchorMiddle, {}});
        std::printf("%d %d\n", p.x, p.y);
        return 0;
    }
    if (what == "measure" && (argc == 7 || argc == 8)) {
        const render::Layout l = render::Layout::from(diagram.settings);
        const render::AnnotationPlacer placer(diagram, l);
        const auto [b, e] = placer.placePair({std::atoi(argv[4]), std::atoi(argv[3]), render::kAnchorMiddle, {}},
                                             {std::atoi(argv[6]), std::atoi(argv[5]), render::kAnchorMiddle, {}});
        const int offset = argc == 8 ? std::atoi(argv[7]) : 0; // the label's own vertical offset
        std::printf("%d %d\n", (b.x + e.x) / 2, render::labelgeometry::measureLineY(b, e, offset, l.signalSpacing, l.signalHeight));
        return 0;
    }
    const auto listNamed = [](const std::string& name) {
        return name == "arrows"   ? model::ListId::Arrows
               : name == "labels" ? model::ListId::Labels
               : name == "breaks" ? model::ListId::TimeBreaks
                                  : model::ListId::Texts;
    };
    if (what == "append" && argc == 5) {
        diagram.store.list(listNamed(argv[3])).append(argv[4]);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << io::nativeFileBytes(diagram);
        return out.good() ? 0 : 1;
    }
    if (what == "list" && argc == 4) {
        const model::ListId id = listNamed(argv[3]);
        for (const std::string& record : diagram.store.list(id).records())
            std::printf("%s\n", record.c_str());
        return 0;
    }
    if (what == "values" && argc == 4) {
        const render::Layout l = render::Layout::from(diagram.settings);
        const int row = std::atoi(argv[3]);
        const std::string_view wave = model::signal::waveform(diagram.store.signals().get(row));
        std::vector<std::pair<int, int>> runs; // first column, end column
        for (int k = 0; k < diagram.settings.cellCount && static_cast<std::size_t>(k + 1) < wave.size(); ++k) {
            const char c = wave[static_cast<std::size_t>(k + 1)];
            const bool bus = c == '3' || c == '4';
            if (bus && (k == 0 || wave[static_cast<std::size_t>(k)] != c))
                runs.emplace_back(k, k + 1);
            else if (bus)
                runs.back().second = k + 1;
        }
        int k = 0, off = 0;
        for (const std::string& r : diagram.store.list(model::ListId::Texts).records()) {
            const int middle = (model::fields::intField(r, 0) + model::fields::intField(r, 2)) / 2;
            if (static_cast<std::size_t>(k) >= runs.size())
                return 1;
            const int from = l.waveOriginX() + runs[static_cast<std::size_t>(k)].first * l.cellWidth;
            const int to = l.waveOriginX() + runs[static_cast<std::size_t>(k)].second * l.cellWidth;
            const bool on = middle >= from && middle < to;
            off += !on;
            std::printf("box %d: middle %d, run %d..%d%s\n", k, middle, from, to, on ? "" : "  OFF ITS RUN");
            ++k;
        }
        return off == 0 ? 0 : 1;
    }
    if (what == "waves") {
        for (const std::string& record : diagram.store.signals().records())
            std::printf("%s\n", std::string(model::signal::waveform(record)).c_str());
        return 0;
    }
    return 2;
}
