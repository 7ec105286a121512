#include "io/dump/FstReader.h"

#include <cstring>
#include <limits>

#include "fstapi.h"
#include "io/dump/DumpImport.h"
#include "io/dump/DumpSampler.h"

namespace sigmora::io {

namespace {

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

VcdSurvey withError(std::string error)
{
    VcdSurvey survey;
    survey.error = std::move(error);
    return survey;
}

constexpr const char* kNotFst = "it is not an FST dump, or it is damaged";

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
    FstFile file(path);
    if (!file.context())
        return withError(kNotFst);
    VcdSurvey header;
    header.ok = readHierarchy(file.context(), header, header.error);
    return header;
}

VcdSurvey surveyFst(const std::string& path)
{
    FstFile file(path);
    if (!file.context())
        return withError(kNotFst);
    VcdSurvey survey;
    if (!readHierarchy(file.context(), survey, survey.error))
        return survey;
    const fstHandle handles = fstReaderGetMaxHandle(file.context());
    sampling::SurveyHandler handler;
    handler.changes.assign(handles, 0);
    fstReaderSetFacProcessMaskAll(file.context());
    if (!BodyReading(file.context(), handler).read(survey.error))
        return survey;
    for (VcdVariable& v : survey.variables) {
        const std::size_t handle = std::stoul(v.code);
        v.changes = handle >= 1 && handle <= handles ? handler.changes[handle - 1] : 0;
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
    FstFile file(path);
    if (!file.context()) {
        result.error = kNotFst;
        return result;
    }
    VcdSurvey header;
    if (!readHierarchy(file.context(), header, result.error))
        return result;
    const int handles = static_cast<int>(fstReaderGetMaxHandle(file.context()));
    const auto codeOf = [handles](const std::string& code) {
        const long handle = std::stol(code);
        return handle >= 1 && handle <= handles ? static_cast<int>(handle) - 1 : -1;
    };
    return importDump(
        header, handles, codeOf,
        [&](sampling::Sampler& sampler, std::string& error) {
            // Only the chosen variables are decoded, and only from the block that holds the window's
            // start: the library hands over that block's values at its start first, so the values
            // before the window are known all the same.
            if (choice.from)
                fstReaderSetLimitTimeRange(file.context(), static_cast<std::uint64_t>(*choice.from),
                                           std::numeric_limits<std::uint64_t>::max());
            fstReaderClrFacProcessMaskAll(file.context());
            for (int code = 0; code < handles; ++code)
                if (sampler.samples(code))
                    fstReaderSetFacProcessMask(file.context(), static_cast<fstHandle>(code + 1));
            return BodyReading(file.context(), sampler).read(error);
        },
        choice, diagram, measurer);
}

} // namespace sigmora::io
