#include "edit/grid/DrawnAnnotations.h"

#include "edit/session/Session.h"

namespace sigmora::edit {

namespace {

std::optional<render::HandleRects> selectedHandles(const Session& session, model::ListId id)
{
    const int index = session.diagram().store.list(id).selection();
    const render::AnnotationHits& hits = session.annotationHits();
    if (id == model::ListId::Arrows) {
        if (const render::ArrowHit* a = hits.arrow(index))
            return a->handles;
    } else if (const render::LabelHit* l = hits.label(index)) {
        return l->handles;
    }
    return std::nullopt;
}

} // namespace

void registerDrawnAnnotations(Session& session)
{
    ToolEntryPoints& t = session.tools();
    t.arrowPath = [&session](int index) {
        const render::ArrowHit* a = session.annotationHits().arrow(index);
        return a ? a->pieces() : std::vector<PathPiece>{};
    };
    t.labelLines = [&session](int index) {
        const render::LabelHit* l = session.annotationHits().label(index);
        return l ? std::vector<PathPiece>{l->beginExtension, l->measureLine, l->endExtension} : std::vector<PathPiece>{};
    };
    t.drawnTextRect = [&session](int textIndex) -> std::optional<render::Rect> {
        if (const render::TextBoxHit* box = session.annotationHits().textBox(textIndex))
            return box->drawn;
        return std::nullopt;
    };
    t.arrowHandles = [&session] { return selectedHandles(session, model::ListId::Arrows); };
    t.labelHandles = [&session] { return selectedHandles(session, model::ListId::Labels); };
}

} // namespace sigmora::edit
