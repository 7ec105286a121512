#include "app/platform/Preferences.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include "io/base/FileAccess.h"
#include "model/DiagramSettings.h"

namespace sigmora::app {

namespace {

// No screen is a million pixels from its origin: larger window values are damage.
constexpr std::int32_t kMaxFrameCoordinate = 1 << 20;

constexpr std::size_t kValueBytes = 4;
// A preferences file is 64 bytes; one far larger is not ours to read whole.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

std::int32_t valueAt(const std::string& bytes, std::size_t at)
{
    const auto b = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(bytes[at + i])); };
    return static_cast<std::int32_t>(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
}

void appendValue(std::string& bytes, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((u >> shift) & 0xff);
}

} // namespace

void Preferences::applyTo(model::DiagramSettings& settings) const
{
    // A value outside its choices (a damaged file) takes the default: a level of 5 would fill
    // new signals with cells that are no level at all.
    auto choice = [this](Index i, int highest) {
        const std::int32_t v = values[i];
        return v >= 0 && v <= highest ? v : kPreferenceDefaults[i - NewSignalLevel];
    };
    settings.newSignalLevel = choice(NewSignalLevel, 1);
    settings.angledWireDirection = choice(AngledWireDirection, 1);
    settings.dropShadow = choice(DropShadow, 2);
    settings.logoShown = choice(LogoShown, 1);
    settings.boundingRectShown = choice(BoundingRectShown, 1);
}

void Preferences::takeFrom(const model::DiagramSettings& settings)
{
    values[NewSignalLevel] = settings.newSignalLevel;
    values[AngledWireDirection] = settings.angledWireDirection;
    values[DropShadow] = settings.dropShadow;
    values[LogoShown] = settings.logoShown;
    values[BoundingRectShown] = settings.boundingRectShown;
}

void Preferences::setPreferenceDefaults()
{
    for (std::size_t i = 0; i < kPreferenceDefaults.size(); ++i)
        values[NewSignalLevel + i] = kPreferenceDefaults[i];
}

PreferencesRead readPreferences(const std::string& path)
{
    PreferencesRead read;
    read.preferences.setPreferenceDefaults();
    const io::FileBytes file = io::readWholeFile(path, kMaxFileBytes);
    // A file too large to be ours is read like one that was never written.
    if (file.error != io::ReadError::None)
        return read;
    Preferences values;
    for (auto& v : values.values) {
        const std::size_t at = static_cast<std::size_t>(read.valuesRead) * kValueBytes;
        if (at + kValueBytes > file.bytes.size())
            break;
        v = valueAt(file.bytes, at);
        ++read.valuesRead;
    }
    if (read.valuesRead == Preferences::Count) {
        read.status = PreferencesRead::Status::Complete;
        read.preferences = values;
        return read;
    }
    read.status = PreferencesRead::Status::Short;
    for (int i = 0; i < Preferences::NewSignalLevel; ++i)
        read.preferences.values[i] = values.values[i];
    return read;
}

bool writePreferences(const std::string& path, const Preferences& preferences)
{
    std::string bytes;
    for (std::int32_t v : preferences.values)
        appendValue(bytes, v);
    // The folder is made at start-up; when that failed (a read-only configuration folder), the
    // reason is why the folder cannot be made, not that it is missing.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code made;
    if (!folder.empty() && !std::filesystem::is_directory(folder, made) &&
        !std::filesystem::create_directories(folder, made) && made) {
        errno = made.value();
        return false;
    }
    const io::WriteResult written = io::writeFileReplacing(path, bytes);
    errno = written.systemError;
    return written == io::WriteError::None;
}

FramePlacement placementFrom(const PreferencesRead& read)
{
    FramePlacement placement;
    if (read.status == PreferencesRead::Status::Missing || read.valuesRead <= Preferences::Maximised)
        return placement;
    const Preferences& p = read.preferences;
    if (p[Preferences::Maximised] != 0)
        return placement;
    // A window without area cannot be shown; it comes back maximised.
    if (p[Preferences::ClientWidth] <= 0 || p[Preferences::ClientHeight] <= 0)
        return placement;
    // So does one whose sizes no screen has: the frame sums below must not overflow.
    for (Preferences::Index i : {Preferences::ClientLeft, Preferences::ClientTop, Preferences::ClientWidth,
                                 Preferences::ClientHeight, Preferences::FrameWidth, Preferences::FrameHeight,
                                 Preferences::CaptionHeight, Preferences::MenuHeight}) {
        if (p[i] < -kMaxFrameCoordinate || p[i] > kMaxFrameCoordinate)
            return placement;
    }
    placement.maximised = false;
    placement.x = p[Preferences::ClientLeft] - p[Preferences::FrameWidth];
    placement.y = p[Preferences::ClientTop] - p[Preferences::MenuHeight] - p[Preferences::FrameHeight] -
                  p[Preferences::CaptionHeight];
    placement.width = p[Preferences::ClientWidth] + 2 * p[Preferences::FrameWidth];
    placement.height = p[Preferences::MenuHeight] + 2 * p[Preferences::FrameHeight] + p[Preferences::CaptionHeight] +
                       p[Preferences::ClientHeight];
    return placement;
}

Preferences placementValues(const FrameMetrics& frame)
{
    Preferences p;
    p[Preferences::CaptionHeight] = frame.captionHeight;
    p[Preferences::FrameWidth] = frame.frameWidth;
    p[Preferences::FrameHeight] = frame.frameHeight;
    p[Preferences::ScreenWidth] = frame.screenWidth;
    p[Preferences::ScreenHeight] = frame.screenHeight;
    p[Preferences::MenuHeight] = frame.menuHeight;
    p[Preferences::ClientLeft] = frame.clientLeft;
    p[Preferences::ClientTop] = frame.clientTop;
    p[Preferences::ClientWidth] = frame.clientWidth;
    p[Preferences::ClientHeight] = frame.clientHeight;
    const bool maximised = frame.windowMaximised || frame.clientWidth >= frame.screenWidth || frame.clientLeft < 0 ||
                           frame.clientTop < 0;
    p[Preferences::Maximised] = maximised ? 1 : 0;
    return p;
}

} // namespace sigmora::app
