#include "edit/files/FileFormats.h"

#include <array>

#include "edit/session/CommandIds.h"
#include "model/TextCase.h"

namespace sigmora::edit {

namespace {

constexpr const char* kAllFiles = "All Files *.*";

// clang-format off
constexpr std::array kFormats{
    FileFormat{Format::Native, ".sgm", cmd::FileOpen, cmd::FileSaveAs,
               {"Open Sigmora files", "Sigmora files *.sgm", "SGM"}, {"Save Sigmora files", "Sigmora files *.sgm", "SGM"},
               true, true},
    FileFormat{Format::Png, ".png", 0, cmd::ExportPng, {}, {"Save PNG images", "PNG images *.png", "PNG"}, false, true},
    FileFormat{Format::Bitmap, ".bmp", 0, cmd::ExportBitmap, {}, {"Save as bitmap", "BMP files *.bmp", "BMP"}, false, true},
    FileFormat{Format::Pdf, ".pdf", 0, cmd::ExportPdf, {}, {"Save PDF documents", "PDF documents *.pdf", "PDF"}, false,
               true},
    FileFormat{Format::Emf, ".emf", 0, cmd::ExportEmf, {}, {"Save Enhanced Metafiles", "Enhanced Metafiles *.emf", "EMF"},
               false, true},
    FileFormat{Format::Wmf, ".wmf", 0, cmd::ExportWmf, {}, {"Save Windows Metafiles", "Windows Metafiles *.wmf", "WMF"},
               false, true},
    FileFormat{Format::WaveJson, ".json", cmd::ImportWaveJson, cmd::ExportWaveJson,
               {"Open WaveJSON files", "WaveJSON files *.json", "json"}, {"Export WaveJSON files", "WaveJSON files *.json", "json"},
               true, true},
    FileFormat{Format::Svg, ".svg", cmd::ImportSvg, cmd::ExportSvg,
               {"Open SVG files", "Sigmora SVG files *.svg", ""}, {"Save SVG files", "SVG files *.svg", "SVG"}, true, true},
    FileFormat{Format::Xml, ".xml", cmd::ImportXml, cmd::ExportXml,
               {"Open XML files", "Sigmora XML files *.xml", "XML"}, {"Export XML files", "XML files *.xml", "xml"}, true, true},
    FileFormat{Format::Csv, ".csv", cmd::ImportCsv, cmd::ExportCsv,
               {"Open CSV files", "Text (comma delimited files) *.csv", ""},
               {"Open CSV files", "Text (comma delimited files) *.csv", ""}, true, true},
    FileFormat{Format::Ascii, ".txt", 0, 0, {}, {}, false, true},
    FileFormat{Format::Vcd, ".vcd", cmd::ImportVcd, cmd::ExportVcd,
               {"Open Value Change Dump files", "Value Change Dump and FST files *.vcd *.fst", "vcd"},
               {"Export Value Change Dump files", "Value Change Dump files *.vcd", "vcd"}, true, true},
    // An FST dump is read by the same import as a value change dump, and written by none.
    FileFormat{Format::Fst, ".fst", cmd::ImportVcd, 0, {}, {}, true, false},
    FileFormat{Format::Verilog, ".v", 0, cmd::ExportVerilogStimulus, {},
               {"Export Verilog stimulus", "Verilog files *.v", "v"}, false, true},
    FileFormat{Format::Vhdl, ".vhd", 0, cmd::ExportVhdlStimulus, {},
               {"Export VHDL stimulus", "VHDL files *.vhd", "vhd"}, false, true},
};
// clang-format on

UiPort::FileDialog dialogOf(const FileFormat& format, const FormatDialog& dialog, const std::string& initialPath)
{
    return {std::string(dialog.title),
            {{std::string(dialog.filter), "*" + std::string(format.extension)}, {kAllFiles, "*.*"}},
            std::string(dialog.defaultExtension),
            initialPath};
}

} // namespace

std::span<const FileFormat> fileFormats()
{
    return kFormats;
}

const FileFormat& fileFormat(Format format)
{
    for (const FileFormat& f : kFormats)
        if (f.format == format)
            return f;
    return kFormats.front();
}

const FileFormat* formatOfFile(std::string_view path)
{
    for (const FileFormat& f : kFormats) {
        if (path.size() > f.extension.size() &&
            model::equalsIgnoringCase(path.substr(path.size() - f.extension.size()), f.extension))
            return &f;
    }
    return nullptr;
}

UiPort::FileDialog readDialogOf(Format format, const std::string& initialPath)
{
    // The dialog is that of the first format its command reads; the others add their extensions.
    const FileFormat* f = &fileFormat(format);
    for (const FileFormat& first : kFormats)
        if (f->readCommand != 0 && first.readCommand == f->readCommand) {
            f = &first;
            break;
        }
    UiPort::FileDialog dialog = dialogOf(*f, f->readDialog, initialPath);
    for (const FileFormat& other : kFormats)
        if (&other != f && f->readCommand != 0 && other.readCommand == f->readCommand)
            dialog.filters.front().second += " *" + std::string(other.extension);
    return dialog;
}

UiPort::FileDialog writeDialogOf(Format format, const std::string& initialPath)
{
    const FileFormat& f = fileFormat(format);
    return dialogOf(f, f.writeDialog, initialPath);
}

std::string convertOutputList()
{
    std::string list;
    std::string_view last;
    for (const FileFormat& f : kFormats) {
        if (!f.convertWrites)
            continue;
        if (!last.empty())
            list += (list.empty() ? "" : ", ") + std::string(last);
        last = f.extension;
    }
    return list + (list.empty() ? "" : " or ") + std::string(last);
}

} // namespace sigmora::edit
