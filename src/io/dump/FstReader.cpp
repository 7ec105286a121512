#include "io/dump/FstReader.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

#include "fstapi.h"
#include "io/dump/DumpImport.h"
#include "io/dump/DumpSampler.h"
#include "io/dump/FstPipe.h"

namespace sigmora::io {

namespace {

using fst::Pipe;
using fst::kMaxNameBytes;
using fst::kMaxValueBytes;

constexpr unsigned char kHeaderBlock = FST_BL_HDR;
constexpr unsigned char kWrappedDump = FST_BL_ZWRAPPER;
// The header block's length, big-endian after its type: every FST dump starts so.
constexpr unsigned char kHeaderLength[8] = {0, 0, 0, 0, 0, 0, 0x01, 0x49};

// The reader library's handle on an open dump, closed when it goes.
class FstFile {
public:
    explicit FstFile(const std::string& path) : context_(fstReaderOpen(path.c_str())) {}
    ~FstFile()
    {
        if (context_)
            fstReaderClose(context_);
    }
    FstFile(const FstFile&) = delete;
    FstFile& operator=(const FstFile&) = delete;
    void* context() const { return context_; }

private:
    void* context_;
};

// A power of ten of seconds as a dump's unit is written: -9 is "1ns", -10 "100ps".
std::string timescaleText(int exponent)
{
    static constexpr const char* kUnits[] = {"s", "ms", "us", "ns", "ps", "fs", "as", "zs"};
    int unit = 0;
    while (exponent < -3 * unit && unit < 7)
        ++unit;
    int digits = exponent + 3 * unit; // 0, 1 or 2 more zeros after the 1
    if (exponent > 0 || digits < 0)
        return {}; // beyond what a dump's unit can be
    return "1" + std::string(static_cast<std::size_t>(digits), '0') + kUnits[unit];
}

bool isNotBits(unsigned char type)
{
    return type == FST_VT_VCD_REAL || type == FST_VT_VCD_REAL_PARAMETER || type == FST_VT_VCD_REALTIME ||
           type == FST_VT_SV_SHORTREAL || type == FST_VT_GEN_STRING;
}

// A variable's name as a value change dump's reading gives it: a range written apart from the
// name ("data [7:0]") goes with it as one.
std::string variableName(std::string_view name)
{
    std::string out(name);
    const std::size_t range = out.rfind(" [");
    if (range != std::string::npos && out.back() == ']')
        out.erase(range, 1);
    return out;
}

// The cell time a dump this program wrote says in its comment ("sigmora-cell T").
void cellTimeComment(std::string_view comment, VcdSurvey& out)
{
    constexpr std::string_view kMark = "sigmora-cell ";
    if (comment.substr(0, kMark.size()) != kMark)
        return;
    const std::string digits(comment.substr(kMark.size()));
    if (!digits.empty() && digits.size() < 16 && digits.find_first_not_of("0123456789") == std::string::npos &&
        std::stoll(digits) > 0)
        out.cellTime = std::stoll(digits);
}

using FstVariable = decltype(fstHier::u.var);

bool readVariable(const FstVariable& var, const std::vector<std::string>& scopes, VcdSurvey& out,
                  std::string& error)
{
    VcdVariable v;
    for (const std::string& s : scopes)
        v.name += s + ".";
    v.name += variableName(std::string_view(var.name, var.name_length));
    v.real = isNotBits(var.typ);
    if (!v.real && (var.length < 1 || var.length > static_cast<std::uint32_t>(kMaxDeclaredVcdWidth))) {
        error = "the variable " + v.name + " is " + std::to_string(var.length) + " bits wide; widths from 1 to " +
                std::to_string(kMaxDeclaredVcdWidth) + " are read";
        return false;
    }
    if (out.variables.size() >= kMaxVcdVariables) {
        error = "more than " + std::to_string(kMaxVcdVariables) + " variables";
        return false;
    }
    v.width = v.real ? 1 : static_cast<int>(var.length);
    v.code = std::to_string(var.handle);
    out.variables.push_back(std::move(v));
    return true;
}

// The unit and the variables, in the order the hierarchy declares them.
bool readHierarchy(void* context, VcdSurvey& out, std::string& error)
{
    const int exponent = fstReaderGetTimescale(context);
    out.timescale = timescaleText(exponent);
    if (out.timescale.empty()) {
        error = "its time unit of 1e" + std::to_string(exponent) + " s is not one a dump can have";
        return false;
    }
    std::vector<std::string> scopes;
    fstReaderIterateHierRewind(context);
    while (const fstHier* h = fstReaderIterateHier(context)) {
        if (h->htyp == FST_HT_SCOPE)
            scopes.emplace_back(h->u.scope.name, h->u.scope.name_length);
        else if (h->htyp == FST_HT_UPSCOPE && !scopes.empty())
            scopes.pop_back();
        else if (h->htyp == FST_HT_VAR && !readVariable(h->u.var, scopes, out, error))
            return false;
        else if (h->htyp == FST_HT_ATTRBEGIN && h->u.attr.typ == FST_AT_MISC && h->u.attr.subtype == FST_MT_COMMENT)
            cellTimeComment(std::string_view(h->u.attr.name, h->u.attr.name_length), out);
    }
    return true;
}

// Hands the changes the reader library decodes to a handler as a value change dump's parser
// does: a time before the changes at it, each change with its code's number (the handle less one).
template <class Handler>
class BodyReading {
public:
    BodyReading(void* context, Handler& handler) : context_(context), handler_(handler) {}

    bool read(std::string& error)
    {
        if (!fstReaderIterBlocks2(context_, &fixedLength, &variableLength, this, nullptr)) {
            error = "its value changes cannot be read";
            return false;
        }
        if (!error_.empty()) {
            error = error_;
            return false;
        }
        // The dump's end time closes its last cell, as a value change dump's final time stamp does.
        const std::uint64_t end = fstReaderGetEndTime(context_);
        if (!stopped_ && end <= kLastTime && static_cast<long long>(end) > now_)
            handler_.time(static_cast<long long>(end));
        return true;
    }

private:
    static constexpr std::uint64_t kLastTime = static_cast<std::uint64_t>(std::numeric_limits<long long>::max());

    static void fixedLength(void* self, std::uint64_t time, fstHandle handle, const unsigned char* value)
    {
        const char* text = reinterpret_cast<const char*>(value);
        static_cast<BodyReading*>(self)->change(time, handle, std::string_view(text, std::strlen(text)));
    }
    static void variableLength(void* self, std::uint64_t time, fstHandle handle, const unsigned char* value,
                               std::uint32_t length)
    {
        static_cast<BodyReading*>(self)->change(time, handle, std::string_view(reinterpret_cast<const char*>(value), length));
    }

    void change(std::uint64_t time, fstHandle handle, std::string_view value)
    {
        if (stopped_)
            return;
        if (time > kLastTime) {
            error_ = "a time too large to count";
            stopped_ = true;
            return;
        }
        const long long t = static_cast<long long>(time);
        if (t < now_) {
            error_ = "time goes backwards (" + std::to_string(t) + " after " + std::to_string(now_) + ")";
            stopped_ = true;
            return;
        }
        if (t != now_) {
            now_ = t;
            if (!handler_.time(t)) {
                stopped_ = true;
                return;
            }
        }
        if (!value.empty())
            handler_.change(static_cast<int>(handle) - 1, value);
    }

    void* context_;
    Handler& handler_;
    long long now_ = -1;
    bool stopped_ = false;
    std::string error_;
};

constexpr const char* kNotFst = "it is not an FST dump, or it is damaged";

// The library ends the process on some damage it finds (its exit is ours, see below) and reads
// out of bounds on other damage: it runs in a child process, which hands the header and the
// changes over a pipe, so that a damaged dump costs the child and never the editor.
//
//   child -> parent   the header: the unit, the cell time, the handle count, each variable
//   parent -> child   whether to read on, the window's start, the handles wanted (none: all)
//   child -> parent   'T' time, 'C' handle and value, then 'E' at the end or 'X' and a reason
// The child's side: what the library reads, written to the parent.
struct ChangeWriter {
    Pipe& out;
    bool time(long long t) { return out.put('T') && out.put(static_cast<std::int64_t>(t)); }
    void change(int id, std::string_view value)
    {
        out.put('C');
        out.put(static_cast<std::uint32_t>(id));
        out.putText(value.substr(0, kMaxValueBytes));
    }
};

[[noreturn]] void childReads(const std::string& path, Pipe& out, Pipe& in)
{
    FstFile file(path);
    VcdSurvey header;
    std::string error = file.context() ? "" : kNotFst;
    if (file.context())
        readHierarchy(file.context(), header, error);
    if (!error.empty()) {
        out.put('X');
        out.putText(error);
        out.flush();
        _exit(0);
    }
    out.put('H');
    out.putText(header.timescale);
    out.put(static_cast<std::int64_t>(header.cellTime.value_or(-1)));
    out.put(static_cast<std::uint32_t>(fstReaderGetMaxHandle(file.context())));
    out.put(static_cast<std::uint32_t>(header.variables.size()));
    for (const VcdVariable& v : header.variables) {
        out.putText(v.name);
        out.putText(v.code);
        out.put(static_cast<std::int32_t>(v.width));
        out.put(static_cast<std::uint8_t>(v.real));
    }
    out.flush();
    std::uint8_t body = 0;
    std::int64_t from = -1;
    std::uint32_t wanted = 0;
    if (!in.get(body) || !body || !in.get(from) || !in.get(wanted))
        _exit(0);
    if (wanted == 0)
        fstReaderSetFacProcessMaskAll(file.context());
    else
        fstReaderClrFacProcessMaskAll(file.context());
    for (std::uint32_t k = 0; k < wanted; ++k) {
        std::uint32_t handle = 0;
        if (!in.get(handle))
            _exit(0);
        fstReaderSetFacProcessMask(file.context(), handle);
    }
    // Only from the block that holds the window's start: the library hands over that block's
    // values at its start first, so the values before the window are known all the same.
    if (from >= 0)
        fstReaderSetLimitTimeRange(file.context(), static_cast<std::uint64_t>(from), std::numeric_limits<std::uint64_t>::max());
    ChangeWriter writer{out};
    if (BodyReading(file.context(), writer).read(error))
        out.put('E');
    else {
        out.put('X');
        out.putText(error);
    }
    out.flush();
    _exit(0);
}

// The parent's side: the child started on a dump, its header read.
class FstChild {
public:
    explicit FstChild(const std::string& path)
    {
        int down[2], up[2];
        if (::pipe(down) != 0)
            return;
        if (::pipe(up) != 0) {
            ::close(down[0]);
            ::close(down[1]);
            return;
        }
        std::fflush(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(down[1]);
            ::close(up[0]);
            Pipe out(::fdopen(up[1], "wb")), in(::fdopen(down[0], "rb"));
            childReads(path, out, in);
        }
        ::close(down[0]);
        ::close(up[1]);
        if (pid_ < 0) {
            ::close(down[1]);
            ::close(up[0]);
            return;
        }
        to_ = std::make_unique<Pipe>(::fdopen(down[1], "wb"));
        from_ = std::make_unique<Pipe>(::fdopen(up[0], "rb"));
        readHeader();
    }
    ~FstChild() { end(); }
    FstChild(const FstChild&) = delete;
    FstChild& operator=(const FstChild&) = delete;

    const VcdSurvey& header() const { return header_; }
    int handles() const { return static_cast<int>(handles_); }

    // Asks for the changes: of the handles given (empty: all), from the window's start.
    bool start(const std::vector<std::uint32_t>& handles, std::optional<long long> from)
    {
        return to_->put(static_cast<std::uint8_t>(1)) && to_->put(static_cast<std::int64_t>(from.value_or(-1))) &&
               to_->put(static_cast<std::uint32_t>(handles.size())) &&
               std::all_of(handles.begin(), handles.end(), [&](std::uint32_t h) { return to_->put(h); }) && to_->flush();
    }

    // Hands the changes to the handler as a value change dump's parser does; false with the
    // reason when the dump is damaged. A handler that stops the reading ends the child.
    template <class Handler>
    bool readBody(Handler& handler, std::string& error)
    {
        std::string value;
        for (;;) {
            char tag = 0;
            if (!from_->get(tag))
                return damaged(error);
            if (tag == 'T') {
                std::int64_t t = 0;
                if (!from_->get(t))
                    return damaged(error);
                if (!handler.time(t)) {
                    end();
                    return true;
                }
            } else if (tag == 'C') {
                std::uint32_t id = 0;
                if (!from_->get(id) || !from_->getText(value, kMaxValueBytes) || id >= handles_)
                    return damaged(error);
                handler.change(static_cast<int>(id), value);
            } else if (tag == 'E') {
                return true;
            } else if (tag == 'X') {
                if (!from_->getText(error, kMaxNameBytes))
                    return damaged(error);
                return false;
            } else {
                return damaged(error);
            }
        }
    }

private:
    bool damaged(std::string& error)
    {
        error = kNotFst;
        return false;
    }

    void readHeader()
    {
        char tag = 0;
        if (!from_->get(tag) || (tag != 'H' && tag != 'X')) {
            header_.error = kNotFst;
            return;
        }
        if (tag == 'X') {
            if (!from_->getText(header_.error, kMaxNameBytes))
                header_.error = kNotFst;
            return;
        }
        std::int64_t cellTime = -1;
        std::uint32_t count = 0;
        if (!from_->getText(header_.timescale, kMaxNameBytes) || !from_->get(cellTime) || !from_->get(handles_) ||
            !from_->get(count) || count > kMaxVcdVariables) {
            header_.error = kNotFst;
            return;
        }
        if (cellTime > 0)
            header_.cellTime = cellTime;
        header_.variables.reserve(count);
        for (std::uint32_t k = 0; k < count; ++k) {
            VcdVariable v;
            std::int32_t width = 0;
            std::uint8_t real = 0;
            if (!from_->getText(v.name, kMaxNameBytes) || !from_->getText(v.code, kMaxNameBytes) || !from_->get(width) ||
                !from_->get(real)) {
                header_.error = kNotFst;
                header_.variables.clear();
                return;
            }
            v.width = width;
            v.real = real != 0;
            header_.variables.push_back(std::move(v));
        }
        header_.ok = true;
    }

    // The child is done with: its pipes closed, and the child ended and waited for.
    void end()
    {
        to_.reset();
        from_.reset();
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    pid_t pid_ = -1;
    std::unique_ptr<Pipe> to_, from_;
    VcdSurvey header_;
    std::uint32_t handles_ = 0;
};

// The sampling of an import done in a child process of its own, on the sampler as it stands (the
// child has its copy): only the chosen variables decoded, from the block that holds the window's
// start, and the rows made handed back. False with the reason when the dump is damaged.
bool sampleInChild(const std::string& path, sampling::Sampler& sampler, int handles, std::optional<long long> from,
                   std::string& error)
{
    int up[2];
    if (::pipe(up) != 0) {
        error = kNotFst;
        return false;
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(up[0]);
        Pipe out(::fdopen(up[1], "wb"));
        FstFile file(path);
        std::string reason = file.context() ? "" : kNotFst;
        if (file.context()) {
            fstReaderClrFacProcessMaskAll(file.context());
            for (int code = 0; code < handles; ++code)
                if (sampler.samples(code))
                    fstReaderSetFacProcessMask(file.context(), static_cast<fstHandle>(code + 1));
            // The library hands over the values at the start of the block that holds the window's
            // start first, so the values before the window are known all the same.
            if (from)
                fstReaderSetLimitTimeRange(file.context(), static_cast<std::uint64_t>(*from),
                                           std::numeric_limits<std::uint64_t>::max());
            if (BodyReading(file.context(), sampler).read(reason))
                sampler.finishStream();
        }
        if (!reason.empty()) {
            out.put('X');
            out.putText(reason);
            out.flush();
        } else {
            fst::putOutcome(out, sampler.outcome());
        }
        _exit(0);
    }
    ::close(up[1]);
    if (pid < 0) {
        ::close(up[0]);
        error = kNotFst;
        return false;
    }
    bool ok = false;
    {
        Pipe in(::fdopen(up[0], "rb"));
        char tag = 0;
        sampling::Sampler::Outcome outcome;
        if (in.get(tag) && tag == 'R' && fst::getOutcome(in, outcome)) {
            sampler.take(std::move(outcome));
            ok = true;
        } else if (tag == 'X' && in.getText(error, kMaxNameBytes)) {
            ok = false;
        } else {
            error = kNotFst;
        }
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return ok;
}

// The number of a code (the handle in decimal, less one); -1 for none.
int codeNumber(const std::string& code, int handles)
{
    if (code.empty() || code.size() > 10 || code.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const long long handle = std::stoll(code);
    return handle >= 1 && handle <= handles ? static_cast<int>(handle) - 1 : -1;
}

} // namespace

bool looksLikeFst(std::string_view firstBytes)
{
    if (firstBytes.empty())
        return false;
    const unsigned char type = static_cast<unsigned char>(firstBytes[0]);
    if (type == kWrappedDump)
        return true;
    return type == kHeaderBlock && firstBytes.size() >= 9 && std::memcmp(firstBytes.data() + 1, kHeaderLength, 8) == 0;
}

VcdSurvey readFstHeader(const std::string& path)
{
    FstChild child(path);
    return child.header();
}

VcdSurvey surveyFst(const std::string& path)
{
    FstChild child(path);
    VcdSurvey survey = child.header();
    if (!survey.ok)
        return survey;
    survey.ok = false;
    sampling::SurveyHandler handler;
    handler.changes.assign(static_cast<std::size_t>(child.handles()), 0);
    if (!child.start({}, std::nullopt) || !child.readBody(handler, survey.error)) {
        if (survey.error.empty())
            survey.error = kNotFst;
        return survey;
    }
    for (VcdVariable& v : survey.variables) {
        const int id = codeNumber(v.code, child.handles());
        v.changes = id >= 0 ? handler.changes[static_cast<std::size_t>(id)] : 0;
    }
    survey.firstTime = std::max(handler.first, 0LL);
    survey.lastTime = handler.last;
    survey.ok = true;
    return survey;
}

ImportResult readFst(const std::string& path, const VcdChoice& choice, model::Diagram& diagram,
                     const model::TextMeasurer& measurer)
{
    ImportResult result;
    FstChild child(path);
    if (!child.header().ok) {
        result.error = child.header().error;
        return result;
    }
    const int handles = child.handles();
    return importDump(
        child.header(), handles, [handles](const std::string& code) { return codeNumber(code, handles); },
        [&](sampling::Sampler& sampler, std::string& error) {
            return sampleInChild(path, sampler, handles, choice.from, error);
        },
        choice, diagram, measurer);
}

} // namespace sigmora::io

// The library's exit, when it meets damage it cannot read past: in the child that runs it, the
// child ends at once, without the handlers the program registered for its own end.
extern "C" [[noreturn]] void sigmora_fst_exit(int status)
{
    _exit(status == 0 ? 1 : status);
}
