#include "app/cli/BatchConvert.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QHashFunctions>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/CommandLineHelp.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/TerminalText.h"
#include "app/platform/FontDatabaseWarmUp.h"
#include "edit/files/FileFormats.h"

namespace fs = std::filesystem;

namespace sigmora::app {

namespace {

constexpr int kExitFailed = 1;
constexpr int kMostJobs = 64;

struct Batch {
    std::vector<const edit::FileFormat*> formats;
    std::optional<std::string> outdir;
    ExchangeOptions options;
    std::vector<std::string> inputs;
    int jobs = 0; // 0: one a core
    // For each input, its outputs in the order of formats, and what is wrong with an output
    // before anything is converted (another input writes the same file, or it is an input).
    std::vector<std::vector<std::string>> outputs;
    std::vector<std::vector<std::string>> refused;
};

// The output type a FORMAT of the list names: "svg", ".svg" or "SVG".
const edit::FileFormat* outputFormatNamed(std::string name)
{
    if (name.starts_with('.'))
        name.erase(0, 1);
    if (name.empty() || name.find_first_of("/.") != std::string::npos)
        return nullptr;
    const edit::FileFormat* format = edit::formatOfFile("x." + name);
    return format && format->convertWrites ? format : nullptr;
}

// Reads the command line; false with an error for a wrong one.
bool parseBatch(int argc, char* argv[], Batch& batch, std::string& error)
{
    if (argc < 3) {
        error = "--convert-to needs the output types";
        return false;
    }
    const std::string list = argv[2];
    for (std::size_t at = 0; at <= list.size();) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string name = list.substr(at, comma - at);
        const edit::FileFormat* format = outputFormatNamed(name);
        if (format == nullptr) {
            error = "unknown output type: " + (name.empty() ? std::string("(none)") : name) + " (use " +
                    edit::convertOutputList() + ")";
            return false;
        }
        if (std::find(batch.formats.begin(), batch.formats.end(), format) == batch.formats.end())
            batch.formats.push_back(format);
        at = comma + 1;
    }
    bool filesOnly = false;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        if (filesOnly || argument.empty() || argument[0] != '-' || argument == "-") {
            batch.inputs.push_back(argument);
            continue;
        }
        if (argument == kEndOfOptions) {
            filesOnly = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = argument + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (argument == "--outdir") {
            if (value.empty()) {
                error = "--outdir needs a folder";
                return false;
            }
            batch.outdir = value;
        } else if (argument == "--jobs") {
            char* end = nullptr;
            const long jobs = std::strtol(value.c_str(), &end, 10);
            if (end == value.c_str() || *end != '\0' || jobs < 1 || jobs > kMostJobs) {
                error = "--jobs takes a number from 1 to " + std::to_string(kMostJobs) + ", not " + value;
                return false;
            }
            batch.jobs = static_cast<int>(jobs);
        } else {
            char* pair[] = {argv[i - 1], argv[i]};
            if (!parseExchangeOptions(2, pair, 0, batch.options, error))
                return false;
        }
    }
    if (batch.inputs.empty()) {
        error = "--convert-to needs at least one file";
        return false;
    }
    return true;
}

std::string normalPath(const std::string& path)
{
    std::error_code ignored;
    return fs::absolute(path, ignored).lexically_normal().string();
}

// Names every output, and refuses an output that another input of the run also writes (two
// "a.sgm" from different folders into one --outdir) or that is itself an input of the run.
void nameOutputs(Batch& batch)
{
    std::map<std::string, std::size_t> inputs;
    for (std::size_t i = 0; i < batch.inputs.size(); ++i)
        inputs.emplace(normalPath(batch.inputs[i]), i);
    std::map<std::string, std::size_t> writers;
    batch.outputs.resize(batch.inputs.size());
    batch.refused.resize(batch.inputs.size());
    for (std::size_t i = 0; i < batch.inputs.size(); ++i) {
        const fs::path in(batch.inputs[i]);
        const fs::path folder = batch.outdir ? fs::path(*batch.outdir) : in.parent_path();
        for (const edit::FileFormat* format : batch.formats) {
            const std::string out = (folder / (in.stem().string() + std::string(format->extension))).string();
            const std::string key = normalPath(out);
            std::string refusal;
            if (const auto input = inputs.find(key); input != inputs.end() && input->second != i)
                refusal = "cannot write " + out + ": it is the input " + batch.inputs[input->second] + " of this run";
            else if (const auto [writer, first] = writers.emplace(key, i); !first && writer->second != i)
                refusal = "cannot write " + out + ": " + batch.inputs[writer->second] + " is converted to it too";
            batch.outputs[i].push_back(out);
            batch.refused[i].push_back(refusal);
        }
    }
}

// A conversion's error on one line: "cannot write OUT" over "OUT: Permission denied" becomes
// "cannot write OUT: Permission denied".
std::string oneLine(const std::string& error)
{
    std::string line;
    std::size_t at = 0;
    while (at <= error.size()) {
        const std::size_t end = std::min(error.find('\n', at), error.size());
        std::string part = error.substr(at, end - at);
        at = end + 1;
        if (part.empty())
            continue;
        if (!line.empty()) {
            // The line below repeats the path the line above ends with.
            const std::size_t colon = part.find(": ");
            if (colon != std::string::npos && line.ends_with(part.substr(0, colon)))
                part.erase(0, colon + 2);
            line += ": ";
        }
        line += part;
    }
    return line;
}

// Prints the line of a failed file: the input's path first, then the reason.
void reportFailure(const std::string& in, const std::string& error)
{
    printProblem(in + ": " + oneLine(error));
}

// Converts input i to every output; false when any failed (each failure printed).
bool convertInput(const Batch& batch, std::size_t i)
{
    const std::string& in = batch.inputs[i];
    bool ok = true;
    std::vector<std::string> outs;
    for (std::size_t f = 0; f < batch.formats.size(); ++f) {
        if (batch.refused[i][f].empty()) {
            outs.push_back(batch.outputs[i][f]);
        } else {
            reportFailure(in, batch.refused[i][f]);
            ok = false;
        }
    }
    if (outs.empty())
        return ok;
    for (const ConversionFailure& failure : convertDiagramFileToEach(in, outs, batch.options)) {
        reportFailure(in, failure.error);
        ok = false;
    }
    return ok;
}

// The cores this process may run on.
int coresAvailable()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

// The application object a worker converts in, on the offscreen platform unless QT_QPA_PLATFORM
// says otherwise, with the fonts made ready while the first input is read.
struct ConversionApplication {
    int argc = 1;
    char name[8] = "sigmora";
    char* argv[2] = {name, nullptr};
    std::optional<QGuiApplication> app;
    std::optional<FontDatabaseWarmUp> fonts;
    explicit ConversionApplication(const Batch& batch)
    {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr)
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(quietQtMessages);
        // The same hash seed in every run: the PDF writer's fonts come in the same order.
        QHashSeed::setDeterministicGlobalSeed();
        app.emplace(argc, argv);
        for (const edit::FileFormat* format : batch.formats) {
            if (!fonts && isDrawnOutput("x" + std::string(format->extension)))
                fonts.emplace();
        }
    }
};

// What a worker tells the parent: it starts (done false) or has ended (done true) input index.
struct WorkerNote {
    std::int32_t worker;
    std::int32_t index;
    std::int32_t done;
    std::int32_t ok;
};

bool readWhole(int fd, void* data, std::size_t size)
{
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::read(fd, bytes, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool writeWhole(int fd, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = ::write(fd, bytes, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// A worker: takes the numbers of the inputs from tasks (each read of a pipe takes one whole
// number, written whole) until it ends, converts each and says so on notes.
[[noreturn]] void runWorker(const Batch& batch, int worker, int tasks, int notes)
{
    const ConversionApplication application(batch);
    std::int32_t index = 0;
    while (readWhole(tasks, &index, sizeof index)) {
        WorkerNote note{worker, index, 0, 0};
        writeWhole(notes, &note, sizeof note);
        note.ok = convertInput(batch, static_cast<std::size_t>(index)) ? 1 : 0;
        note.done = 1;
        std::fflush(stderr);
        writeWhole(notes, &note, sizeof note);
    }
    std::fflush(nullptr);
    // The worker ends without the exit handlers and destructors of the parent's copy.
    ::_exit(0);
}

// Removes what a worker that died was writing: the temporaries of its outputs.
void removeTemporaries(const Batch& batch, std::size_t index, pid_t worker)
{
    for (const std::string& out : batch.outputs[index]) {
        const fs::path path(out);
        const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
        const std::string prefix = "." + path.filename().string() + ".sigmora-" + std::to_string(worker) + "-";
        std::error_code ignored;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
            if (entry.path().filename().string().starts_with(prefix))
                fs::remove(entry.path(), ignored);
        }
    }
}

// Converts the inputs not yet finished in this process; true when each one was.
bool convertHere(const Batch& batch, const std::vector<bool>& finished)
{
    std::optional<ConversionApplication> application;
    bool ok = true;
    for (std::size_t i = 0; i < batch.inputs.size(); ++i) {
        if (finished[i])
            continue;
        if (!application)
            application.emplace(batch);
        ok = convertInput(batch, i) && ok;
    }
    return ok;
}

// Shares the inputs out among workers processes; answers whether every one was converted.
bool convertInWorkers(const Batch& batch, int workers)
{
    int tasks[2];
    int notes[2];
    if (::pipe2(tasks, O_CLOEXEC) != 0)
        return convertHere(batch, std::vector<bool>(batch.inputs.size(), false));
    if (::pipe2(notes, O_CLOEXEC) != 0) {
        ::close(tasks[0]);
        ::close(tasks[1]);
        return convertHere(batch, std::vector<bool>(batch.inputs.size(), false));
    }
    std::vector<pid_t> pids;
    for (int w = 0; w < workers; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(tasks[1]);
            ::close(notes[0]);
            runWorker(batch, w, tasks[0], notes[1]);
        }
        if (pid > 0)
            pids.push_back(pid);
    }
    ::close(tasks[0]);
    ::close(notes[1]);
    // The numbers go to the workers while they run; a pipe holds only so many.
    const pid_t feeder = pids.empty() ? -1 : ::fork();
    if (feeder == 0) {
        ::close(notes[0]);
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(batch.inputs.size()); ++i) {
            if (!writeWhole(tasks[1], &i, sizeof i))
                break;
        }
        ::_exit(0);
    }
    ::close(tasks[1]);
    std::vector<int> started(pids.size(), -1);
    std::vector<bool> finished(batch.inputs.size(), false);
    bool allOk = true;
    WorkerNote note{};
    while (readWhole(notes[0], &note, sizeof note)) {
        if (note.worker < 0 || note.worker >= static_cast<int>(pids.size()) || note.index < 0 ||
            note.index >= static_cast<int>(batch.inputs.size()))
            continue;
        started[note.worker] = note.done ? -1 : note.index;
        if (note.done) {
            finished[note.index] = true;
            allOk = allOk && note.ok;
        }
    }
    ::close(notes[0]);
    for (std::size_t w = 0; w < pids.size(); ++w) {
        int status = 0;
        while (::waitpid(pids[w], &status, 0) < 0 && errno == EINTR) {
        }
        if (started[w] >= 0 && WIFSIGNALED(status)) {
            removeTemporaries(batch, static_cast<std::size_t>(started[w]), pids[w]);
            reportFailure(batch.inputs[started[w]], "the conversion ended abnormally (" +
                                                        std::string(::strsignal(WTERMSIG(status))) + ")");
            finished[started[w]] = true;
            allOk = false;
        }
    }
    if (feeder > 0) {
        int status = 0;
        while (::waitpid(feeder, &status, 0) < 0 && errno == EINTR) {
        }
    }
    // Inputs no worker took (no worker could be started, or every one ended early) are converted here.
    return convertHere(batch, finished) && allOk;
}

} // namespace

bool isConvertToCommand(int argc, char* argv[])
{
    return argc >= 2 && std::strcmp(argv[1], kConvertToOption) == 0;
}

int runConvertToCommand(int argc, char* argv[])
{
    Batch batch;
    std::string error;
    if (!parseBatch(argc, argv, batch, error)) {
        printProblem(error);
        std::fprintf(stderr, "sigmora: usage: sigmora --convert-to FORMAT[,FORMAT...] [--outdir DIR] [--jobs N] FILE...\n");
        return kExitUsage;
    }
    nameOutputs(batch);
    const int workers =
        std::min<int>(batch.jobs > 0 ? batch.jobs : coresAvailable(), static_cast<int>(batch.inputs.size()));
    const bool ok = workers <= 1 ? convertHere(batch, std::vector<bool>(batch.inputs.size(), false))
                                 : convertInWorkers(batch, workers);
    return ok ? 0 : kExitFailed;
}

} // namespace sigmora::app
