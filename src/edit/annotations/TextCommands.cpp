#include "edit/annotations/TextCommands.h"

#include <cstdio>

#include "edit/session/CommandIds.h"
#include "edit/grid/GridMapping.h"
#include "edit/session/Session.h"
#include "edit/annotations/TextBoxValues.h"
#include "edit/annotations/TextRelayout.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"

namespace sigmora::edit {

namespace {

constexpr const char* kWidthError = "Error: Text width less than x pos";
constexpr const char* kHeightError = "Error: Text height less than y pos";
constexpr int kMeasureFallback = 20;
constexpr const char* kCaptionAttachment = "WFLabel*%d*";
// How far above the first row the name column is painted over (the cycle labels' height).
constexpr int kHiddenBandAboveRows = 15;

model::RecordList& texts(Session& session)
{
    return session.diagram().store.list(model::ListId::Texts);
}

std::vector<std::string> rowNames(const model::Diagram& diagram)
{
    std::vector<std::string> names;
    for (const std::string& record : diagram.store.signals().records())
        names.push_back(model::fields::decodePeriods(model::fields::nameOfRow(record)));
    return names;
}

bool selectedText(const Session& session, int index)
{
    return index >= 0 && index < kSelectionFlags && session.state().textSelected[static_cast<size_t>(index)];
}

// The style the dialog chose, given to a box.
void applyStyle(TextBoxValues& box, const TextAttributes& chosen)
{
    box.colour = chosen.colour;
    box.face = chosen.face;
    box.size = chosen.size;
    box.justification = chosen.justification;
    box.outline = chosen.outline;
    box.bold = chosen.bold ? 1 : 0;
    box.italic = chosen.italic ? 1 : 0;
    box.underline = chosen.underline ? 1 : 0;
}

TextAttributes attributesOf(const TextBoxValues& box)
{
    TextAttributes a;
    a.message = box.message;
    a.colour = box.colour;
    a.face = box.face;
    a.size = box.size;
    a.justification = box.justification;
    a.outline = box.outline;
    a.bold = box.bold != 0;
    a.italic = box.italic != 0;
    a.underline = box.underline != 0;
    return a;
}

// right and bottom from the message measured in the box's font; a measurement that comes out
// before the box's own position is reported and replaced by 20 pixels. A box placed by the text
// tool also gets the font's external leading on its right.
void fitBox(Session& session, TextBoxValues& box, bool reportErrors, bool withLeading = false)
{
    const model::FontSpec font = box.font();
    const TextExtent extent = measureMessage(session.measurer(), box.message, font);
    box.right = box.left + extent.width + (withLeading ? session.measurer().externalLeading(font) : 0);
    box.bottom = box.top + extent.height;
    if (box.right < box.left) {
        if (reportErrors)
            session.ui().showMessage(kWidthError, {}, MessageIcon::Warning);
        box.right = box.left + kMeasureFallback;
    }
    if (box.bottom < box.top) {
        if (reportErrors)
            session.ui().showMessage(kHeightError, {}, MessageIcon::Warning);
        box.bottom = box.top + kMeasureFallback;
    }
}

void rememberDefaults(model::DiagramSettings& s, const TextAttributes& chosen, bool colourToo)
{
    s.textFace = chosen.face;
    s.textSize = chosen.size;
    if (colourToo)
        s.textColour = chosen.colour;
}

void selectOnly(Session& session, int textIndex)
{
    InteractionState& st = session.state();
    st.textSelected.fill(false);
    if (textIndex >= 0 && textIndex < kSelectionFlags)
        st.textSelected[static_cast<size_t>(textIndex)] = true;
    texts(session).setSelection(textIndex);
    st.selectionKind = SelectionKind::TextBox;
    st.selectedRow = -1;
    session.diagram().store.signals().setSelection(-1);
}

// ---- align edges ----

enum class Edge { Left, Top, Right, Bottom };

void alignEdges(Session& session, Edge edge)
{
    model::RecordList& list = texts(session);
    const int reference = list.selection();
    bool any = false;
    for (int i = 0; i < list.count(); ++i)
        any = any || selectedText(session, i);
    if (!any || reference < 0 || reference >= list.count())
        return;
    const TextBoxValues ref = TextBoxValues::read(list.get(reference));
    for (int i = 0; i < list.count(); ++i) {
        if (i == reference || !selectedText(session, i))
            continue;
        TextBoxValues box = TextBoxValues::read(list.get(i));
        int dx = 0;
        int dy = 0;
        switch (edge) {
        case Edge::Left: dx = ref.left - box.left; break;
        case Edge::Right: dx = ref.right - box.right; break;
        case Edge::Top: dy = ref.top - box.top; break;
        case Edge::Bottom: dy = ref.bottom - box.bottom; break;
        }
        box.left += dx;
        box.right += dx;
        box.top += dy;
        box.bottom += dy;
        list.replace(i, box.write());
    }
    session.changed();
}

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

render::Rect placedTextBox(const GridMapping& g, int x, int y, int width, int height, int justification)
{
    const render::Layout& l = g.layout();
    const int origin = l.waveOriginX();
    const int cell = std::max(1, l.cellWidth);
    const int half = std::max(1, cell / 2);
    const int fromOrigin = x - origin;
    int left = 0;
    switch (justification) {
    case kCentreJustified: left = origin + floorDiv(fromOrigin + half / 2, half) * half - width / 2; break;
    case kRightJustified: left = origin + floorDiv(fromOrigin + cell - 1, cell) * cell - width; break;
    default: left = origin + floorDiv(fromOrigin, cell) * cell; break;
    }
    const int top = std::max(0, y - height / 2);
    // Beside the rows the name column and the last column are painted over the annotations: a box
    // there is moved in until all of it shows.
    const bool besideTheRows = top < g.bottom() && top + height > l.topMargin - kHiddenBandAboveRows;
    if (besideTheRows) {
        const int lastShown = origin + l.waveformWidth - cell;
        if (left + width > lastShown)
            left = lastShown - width;
        left = std::max(left, origin);
    }
    return {left, top, left + width, top + height};
}

bool placeTextBox(Session& session, int x, int y)
{
    model::Diagram& diagram = session.diagram();
    const model::DiagramSettings& s = diagram.settings;
    TextAttributes offer;
    offer.rowNames = rowNames(diagram);
    offer.face = s.textFace;
    offer.size = s.textSize;
    offer.colour = s.textColour;
    const std::optional<TextAttributes> chosen = session.ui().editTextAttributes(offer);
    if (!chosen)
        return false;
    bool made = false;
    if (!chosen->message.empty()) {
        const render::Layout layout = render::Layout::from(s);
        const model::RecordList& rows = diagram.store.signals();
        const bool attached = chosen->attachedIndex >= 0 && chosen->attachedIndex < rows.count();
        TextBoxValues box;
        box.message = chosen->message;
        box.attachment = attached ? std::string(model::fields::nameOfRow(rows.get(chosen->attachedIndex)))
                                  : std::string(model::kUnattached);
        applyStyle(box, *chosen);
        rememberDefaults(diagram.settings, *chosen, true);
        fitBox(session, box, true, true);
        const render::Rect at = placedTextBox(GridMapping::of(diagram), x, y, box.right - box.left,
                                              box.bottom - box.top, box.justification);
        // Into diagram coordinates, so that a box placed while scrolled lands where it was clicked.
        const int dx = at.left + layout.cellWidth * layout.firstVisibleCell - box.left;
        const int top = attached ? attachedTextTop(layout, chosen->attachedIndex)
                                 : at.top + layout.rowPitch() * layout.firstVisibleSignal();
        const int dy = top - box.top;
        box.left += dx;
        box.right += dx;
        box.top += dy;
        box.bottom += dy;
        const int index = texts(session).append(box.write());
        selectOnly(session, index);
        diagram.modified = true;
        session.refresh();
        made = true;
    }
    session.takeSnapshot();
    return made;
}

bool addLabelCaption(Session& session, int labelIndex, int centreX, int top)
{
    const model::DiagramSettings& s = session.diagram().settings;
    TextAttributes offer;
    offer.face = s.textFace;
    offer.size = s.textSize;
    offer.colour = s.textColour;
    offer.attachHidden = true;
    const std::optional<TextAttributes> chosen = session.ui().editTextAttributes(offer);
    if (!chosen || chosen->message.empty())
        return false;
    char attachment[32];
    std::snprintf(attachment, sizeof attachment, kCaptionAttachment, labelIndex);
    TextBoxValues box;
    box.message = chosen->message;
    box.attachment = attachment;
    applyStyle(box, *chosen);
    rememberDefaults(session.diagram().settings, *chosen, true);
    box.left = centreX;
    box.top = top;
    fitBox(session, box, true);
    const int width = box.right - box.left;
    box.left -= width / 2;
    box.right -= width / 2;
    selectOnly(session, texts(session).append(box.write()));
    return true;
}

void editTextProperties(Session& session)
{
    model::RecordList& list = texts(session);
    int primary = -1;
    for (int i = 0; i < list.count(); ++i)
        if (selectedText(session, i))
            primary = i;
    if (primary < 0)
        return;
    model::Diagram& diagram = session.diagram();
    TextBoxValues box = TextBoxValues::read(list.get(primary));
    TextAttributes offer = attributesOf(box);
    offer.rowNames = rowNames(diagram);
    offer.attachHidden = box.isLabelCaption();
    offer.attachedIndex = offer.attachHidden || box.attachment == model::kUnattached ? -1 : diagram.store.findSignal(box.attachment);
    const std::optional<TextAttributes> chosen = session.ui().editTextAttributes(offer);
    if (!chosen)
        return;
    if (!chosen->message.empty()) {
        box.message = chosen->message;
        // A label caption keeps its label: it has no attach choice to change it.
        if (!box.isLabelCaption()) {
            const model::RecordList& rows = diagram.store.signals();
            const bool attached = chosen->attachedIndex >= 0 && chosen->attachedIndex < rows.count();
            box.attachment = attached ? std::string(model::fields::nameOfRow(rows.get(chosen->attachedIndex)))
                                      : std::string(model::kUnattached);
        }
        applyStyle(box, *chosen);
        fitBox(session, box, false);
        list.replace(primary, box.write());
        // Only a message that was kept makes its face and size the ones offered next time.
        rememberDefaults(diagram.settings, *chosen, false);
    }
    for (int i = 0; i < list.count(); ++i) {
        if (i == primary || !selectedText(session, i))
            continue;
        TextBoxValues other = TextBoxValues::read(list.get(i));
        applyStyle(other, *chosen);
        fitBox(session, other, false);
        list.replace(i, other.write());
    }
    diagram.modified = true;
    session.refresh();
    session.takeSnapshot();
}

void registerTextCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(
        cmd::ctx::EditTextProperties, [&session] { editTextProperties(session); },
        [&session](CommandState& s) {
            s.enabled = false;
            for (int i = 0; i < session.diagram().store.list(model::ListId::Texts).count(); ++i)
                s.enabled = s.enabled || selectedText(session, i);
        });
    ToolEntryPoints& t = session.tools();
    t.createTextBox = [&session](int x, int y) { placeTextBox(session, x, y); };
    t.editTextAttributes = [&session](int index) {
        if (index < 0 || index >= texts(session).count())
            return;
        if (!selectedText(session, index))
            selectOnly(session, index);
        texts(session).setSelection(index);
        editTextProperties(session);
    };
    r.add(cmd::ctx::AlignLeft, [&session] { alignEdges(session, Edge::Left); });
    r.add(cmd::ctx::AlignTop, [&session] { alignEdges(session, Edge::Top); });
    r.add(cmd::ctx::AlignRight, [&session] { alignEdges(session, Edge::Right); });
    r.add(cmd::ctx::AlignBottom, [&session] { alignEdges(session, Edge::Bottom); });
}

} // namespace sigmora::edit
