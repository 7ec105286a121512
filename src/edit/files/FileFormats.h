#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "edit/session/UiPort.h"

namespace sigmora::edit {

// Every kind of file the program reads or writes, named once.
enum class Format { Native, Png, Bitmap, Pdf, Emf, Wmf, WaveJson, Svg, Xml, Csv, Ascii, Vcd, Verilog, Vhdl, Fst };

// The file dialog of a command that reads or writes a format: its title, the filter of the format
// (the "All Files *.*" filter follows it) and the extension the dialog adds to a name without one.
struct FormatDialog {
    std::string_view title;
    std::string_view filter;
    std::string_view defaultExtension;
};

// One format: its extension, the menu commands that read and write it with their dialogs, and
// whether "sigmora --convert" reads and writes it. The menus, files dropped on the window and the
// command line all find a format here by its extension.
struct FileFormat {
    Format format;
    std::string_view extension; // with its dot, lower case; a file's name matches in any case
    int readCommand = 0;        // Open or the import that reads it; 0 when none does
    int writeCommand = 0;       // Save As or the export that writes it; 0 when none does
    FormatDialog readDialog;
    FormatDialog writeDialog;
    bool convertReads = false;
    bool convertWrites = false;
};

// The table of every format, in the order the command line's messages list them.
std::span<const FileFormat> fileFormats();
const FileFormat& fileFormat(Format format);
// The format of a file by the extension its name ends in (in any case, after at least one other
// character); nothing for a name no format matches.
const FileFormat* formatOfFile(std::string_view path);

// The dialog of the command that reads (or writes) the format, starting at initialPath. A command
// that reads several formats (the dump import: .vcd and .fst) shows all of them in its first filter.
UiPort::FileDialog readDialogOf(Format format, const std::string& initialPath = {});
UiPort::FileDialog writeDialogOf(Format format, const std::string& initialPath = {});

// The extensions --convert writes, for its messages: ".sgm, .png, ... or .txt".
std::string convertOutputList();

} // namespace sigmora::edit
