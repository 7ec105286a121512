#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sigmora::model {
struct DiagramSettings;
}

namespace sigmora::app {

// The preferences file "sigmora.ini": exactly 16 little-endian signed 32-bit integers, no header.
// The first eleven place the main window, the last five are user preferences.
struct Preferences {
    enum Index {
        CaptionHeight,
        FrameWidth,
        FrameHeight,
        ScreenWidth,
        ScreenHeight,
        MenuHeight,
        ClientLeft,
        ClientTop,
        ClientWidth,
        ClientHeight,
        Maximised,
        NewSignalLevel,
        AngledWireDirection,
        DropShadow,
        LogoShown,
        BoundingRectShown,
        Count
    };
    static constexpr std::array<std::int32_t, 5> kPreferenceDefaults{1, 0, 2, 1, 1};

    std::array<std::int32_t, Count> values{};

    std::int32_t operator[](Index i) const { return values[i]; }
    std::int32_t& operator[](Index i) { return values[i]; }

    // Copies the five preferences into the diagram settings (a value outside its choices as its
    // default), and back.
    void applyTo(model::DiagramSettings& settings) const;
    void takeFrom(const model::DiagramSettings& settings);
    void setPreferenceDefaults();
};

// What reading the file found.
struct PreferencesRead {
    enum class Status { Missing, Complete, Short };
    Status status = Status::Missing;
    int valuesRead = 0;
    // The values read; the five preferences hold their defaults unless the file was complete.
    Preferences preferences;
};

// Reads the file when it is a regular file; anything else (a pipe, a device) counts as missing
// and is never opened, so that it cannot hold start-up up.
PreferencesRead readPreferences(const std::string& path);
// Writes the 16 values, replacing the file only once they are written (its folder is made when
// missing); false when it cannot be written, with errno set to the reason (the folder's when the
// folder cannot be made, "not a regular file" as io::fileProblem words it).
bool writePreferences(const std::string& path, const Preferences& preferences);

// Where the main window goes at start-up: maximised, or its outer frame at x, y, width, height.
struct FramePlacement {
    bool maximised = true;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
FramePlacement placementFrom(const PreferencesRead& read);

// The window as it is when the program closes, in screen coordinates.
struct FrameMetrics {
    int captionHeight = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    int menuHeight = 0;
    int clientLeft = 0;
    int clientTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool windowMaximised = false;
};
// The eleven placement values of a closing window; the five preferences are left at 0.
Preferences placementValues(const FrameMetrics& frame);

} // namespace sigmora::app
