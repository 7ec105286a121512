#include "edit/grid/DrawnAnnotations.h"

#include "edit/Editor.h"

namespace sigmora::edit {

namespace {

std::optional<render::HandleRects> selectedHandles(const Editor& editor, model::ListId id)
{
    const int index = editor.diagram().store.list(id).selection();
    const render::AnnotationHits& hits = editor.annotationHits();
    if (id == model::ListId::Arrows) {
        if (const render::ArrowHit* a = hits.arrow(index))
            return a->handles;
    } else if (const render::LabelHit* l = hits.label(index)) {
        return l->handles;
    }
    return std::nullopt;
}

} // namespace

void registerDrawnAnnotations(Editor& editor)
{
    ToolEntryPoints& t = editor.tools();
    t.arrowPath = [&editor](int index) {
        const render::ArrowHit* a = editor.annotationHits().arrow(index);
        return a ? a->pieces() : std::vector<PathPiece>{};
    };
    t.labelLines = [&editor](int index) {
        const render::LabelHit* l = editor.annotationHits().label(index);
        return l ? std::vector<PathPiece>{l->beginExtension, l->measureLine, l->endExtension} : std::vector<PathPiece>{};
    };
    t.labelTextRect = [&editor](int textIndex) -> std::optional<render::Rect> {
        const render::TextBoxHit* box = editor.annotationHits().textBox(textIndex);
        if (box && box->labelCaption)
            return box->box;
        return std::nullopt;
    };
    t.arrowHandles = [&editor] { return selectedHandles(editor, model::ListId::Arrows); };
    t.labelHandles = [&editor] { return selectedHandles(editor, model::ListId::Labels); };
}

} // namespace sigmora::edit
