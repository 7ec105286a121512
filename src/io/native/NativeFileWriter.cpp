#include "io/native/NativeFileWriter.h"

#include "io/native/ArchiveWriter.h"
#include "io/native/ExtensionBlock.h"
#include "io/native/NativeLayout.h"

namespace sigmora::io {

namespace {

using namespace layout;

template <std::size_t N>
void writeSettings(ArchiveWriter& w, const model::DiagramSettings& s, const IntSetting (&settings)[N])
{
    for (IntSetting setting : settings)
        w.writeInt(s.*setting);
}

} // namespace

void writeNativeFile(const model::Diagram& diagram, std::string& out)
{
    using model::ListId;
    const model::ObjectStore& store = diagram.store;
    const model::DiagramSettings& s = diagram.settings;
    out.clear();
    ArchiveWriter w(out);
    w.writeString(kFormatTag);
    w.writeString(kCurrentVersion);
    writeSettings(w, s, kHeadSettings);
    for (ListId id : {ListId::Signals, ListId::Texts, ListId::LegacyRegions, ListId::Arrows, ListId::Labels,
                      ListId::TimeBreaks})
        w.writeList(store.list(id));
    writeSettings(w, s, kNameAndLabelSettings);
    w.writeString(s.labelSuffix);
    w.writeString(s.labelPrefix);
    writeSettings(w, s, kLabelCountSettings);
    w.writeGridBlock(store.floodStyles(), store.signalCount());
    w.writeGridBlock(store.edgeOffsets(), store.signalCount());
    writeSettings(w, s, kVersion010TailSettings);
    writeSettings(w, s, kModuloSettings);
    w.writeFloat(s.svgScale);
    writeSettings(w, s, kClosingSettings);
    writeExtensionBlock(diagram.extension, w);
}

std::string nativeFileBytes(const model::Diagram& diagram)
{
    std::string out;
    writeNativeFile(diagram, out);
    return out;
}

} // namespace sigmora::io
