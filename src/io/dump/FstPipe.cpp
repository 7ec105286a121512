#include "io/dump/FstPipe.h"

namespace sigmora::io::fst {

bool putOutcome(Pipe& out, const sampling::Sampler::Outcome& o)
{
    bool ok = out.put('R') && out.put(static_cast<std::int32_t>(o.cells)) && out.put(static_cast<std::uint8_t>(o.done)) &&
              out.put(static_cast<std::uint8_t>(o.started)) && out.put(static_cast<std::int64_t>(o.now)) &&
              out.putText(o.error) && out.putText(o.cutNote) && out.put(static_cast<std::uint32_t>(o.rows.size()));
    for (const ImportedRow& r : o.rows) {
        std::string hatched(r.hatched.size(), '0');
        for (std::size_t k = 0; k < r.hatched.size(); ++k)
            hatched[k] = r.hatched[k] ? '1' : '0';
        ok = ok && out.putText(r.cells) && out.putText(hatched) && out.put(static_cast<std::uint32_t>(r.values.size()));
        for (const auto& [column, text] : r.values)
            ok = ok && out.put(static_cast<std::int32_t>(column)) && out.putText(text);
    }
    return ok && out.flush();
}

bool getOutcome(Pipe& in, sampling::Sampler::Outcome& o)
{
    std::int32_t cells = 0;
    std::uint8_t done = 0, started = 0;
    std::int64_t now = 0;
    std::uint32_t count = 0;
    if (!in.get(cells) || !in.get(done) || !in.get(started) || !in.get(now) || !in.getText(o.error, kMaxNameBytes) ||
        !in.getText(o.cutNote, kMaxNameBytes) || !in.get(count) || count > kMaxVcdVariables)
        return false;
    o.cells = cells;
    o.done = done != 0;
    o.started = started != 0;
    o.now = now;
    o.rows.resize(count);
    for (ImportedRow& r : o.rows) {
        std::string hatched;
        std::uint32_t values = 0;
        if (!in.getText(r.cells, kMaxValueBytes) || !in.getText(hatched, kMaxValueBytes) || !in.get(values) ||
            values > r.cells.size())
            return false;
        for (char c : hatched)
            r.hatched.push_back(c == '1');
        for (std::uint32_t k = 0; k < values; ++k) {
            std::int32_t column = 0;
            std::string text;
            if (!in.get(column) || !in.getText(text, kMaxValueBytes))
                return false;
            r.values.emplace_back(column, std::move(text));
        }
    }
    return true;
}

} // namespace sigmora::io::fst
