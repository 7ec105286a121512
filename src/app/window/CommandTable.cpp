#include "app/window/CommandTable.h"

#include <algorithm>
#include <iterator>

#include "edit/session/CommandIds.h"

namespace sigmora::app {

namespace {

namespace cmd = edit::cmd;

namespace ctx = cmd::ctx;
using cmd::kArrowSnapBegin;
using cmd::kArrowSnapEnd;
using cmd::kLabelSnapBegin;
using cmd::kLabelSnapEnd;

constexpr CommandInfo kCommands[] = {
    // File
    {cmd::FileNew, "Start a new, empty diagram", "New Diagram"},
    {cmd::FileOpen, "Open a diagram file", "Open Diagram"},
    {cmd::FileSave, "Save the diagram to its file", "Save Diagram"},
    {cmd::FileSaveAs, "Save the diagram under a new name", "Save As"},
    {cmd::FilePrint, "Print the diagram", "Print"},
    {cmd::FilePrintAdvanced, "Print a chosen number of clock cycles", "Print Advanced"},
    {cmd::ImportCsv, "Read waveforms from a comma-delimited text file", "Import ASCII"},
    {cmd::ImportXml, "Read waveforms from a Sigmora XML file", "Import XML"},
    {cmd::ImportSvg, "Read a diagram back from an SVG file written by Sigmora", "Import SVG"},
    {cmd::ImportVerilog, "Verilog import is not available", "Import Verilog"},
    {cmd::ImportWaveJson, "Read a diagram from a WaveJSON file", "Import WaveJSON"},
    {cmd::ImportVcd, "Make a diagram from a simulator's value change dump", "Import VCD"},
    {cmd::RefreshFromDump, "Draw the imported rows anew from their dump, keeping the annotations on their edges",
     "Refresh from Dump"},
    {cmd::ExportWaveJson, "Write the diagram as WaveJSON for WaveDrom and its editors", "Export WaveJSON"},
    {cmd::ExportClipboard, "Copy a picture of the diagram to the clipboard", "Copy Picture to Clipboard"},
    {cmd::ExportEmf, "Save a picture of the diagram as an enhanced metafile", "Export EMF"},
    {cmd::ExportWmf, "Save a picture of the diagram as a Windows metafile", "Export WMF"},
    {cmd::ExportSvg, "Save the diagram as Scalable Vector Graphics", "Export SVG"},
    {cmd::ExportBitmap, "Save a picture of the diagram as a bitmap", "Export Bitmap"},
    {cmd::ExportPng, "Save a picture of the diagram as a PNG image", "Export PNG"},
    {cmd::ExportPdf, "Save the diagram as a PDF document: one vector page, fonts embedded", "Export PDF"},
    {cmd::ExportCsv, "Write the waveforms to a comma-delimited text file", "Export ASCII"},
    {cmd::ExportXml, "Write the waveforms to a Sigmora XML file", "Export XML"},
    {cmd::ShowAsciiWaveforms, "Show the waveforms as text that can be copied", "Show ASCII Waveforms"},
    {cmd::ExportTestBench, "Test bench export is not available", "Export Test Bench"},
    {cmd::ExportVcd, "Write the drawn waveforms as a value change dump for waveform viewers", "Export VCD"},
    {cmd::ExportVerilogStimulus, "Write the drawn waveforms as a Verilog module that drives them", "Export Verilog Stimulus"},
    {cmd::ExportVhdlStimulus, "Write the drawn waveforms as a VHDL entity that drives them", "Export VHDL Stimulus"},
    {cmd::AppExit, "Quit Sigmora; asks whether to save changes", "Exit"},
    // Edit
    {cmd::EditUndo, "Undo the last change", "Undo"},
    {cmd::EditRedo, "Redo the change just undone", "Redo"},
    {cmd::EditCut, "Delete the selected annotation, or cut the highlighted cells", "Cut"},
    {cmd::EditCopy, "Copy the selection", "Copy"},
    {cmd::EditPaste, "Paste the copied cells or objects", "Paste"},
    {cmd::CancelTransaction, "Abandon the arrow, label or text being placed", "Cancel"},
    {cmd::IncreaseLeftMargin, "Widen the signal name column", "Increase Left Margin"},
    {cmd::DecreaseLeftMargin, "Narrow the signal name column", "Decrease Left Margin"},
    {cmd::TabNextSelection, "Select the next object", "Next Selection"},
    {cmd::TabPreviousSelection, "Select the previous object", "Previous Selection"},
    {cmd::EditSignalAttributes, "Edit the name, kind and appearance of the selected signal",
     "Edit Signal Attributes"},
    // View
    {cmd::ViewLogo, "Show or hide the Sigmora logo", "Sigmora Logo"},
    {cmd::ViewBoundingRectangle, "Show or hide the frame around the diagram", "Bounding Rectangle"},
    {cmd::DropShadowSolid, "Draw a solid shadow behind the diagram", "Solid Shadow"},
    {cmd::DropShadowGradient, "Draw a graded shadow behind the diagram", "Gradient Shadow"},
    {cmd::DropShadowNone, "Draw no shadow behind the diagram", "No Shadow"},
    {cmd::SignalSeparator, "Show or hide lines between the signal names", "Signal Separator"},
    {cmd::WaveformSeparator, "Show or hide the line between the names and the waveforms", "Waveform Separator"},
    {cmd::NamesLeftJustified, "Align signal names to the left", "Left Justified"},
    {cmd::NamesRightJustified, "Align signal names to the right", "Right Justified"},
    {cmd::CycleLabelsVisible, "Show or hide the clock cycle labels", "Clock Cycle Labels"},
    {cmd::CycleLabelsCustomize, "Set the text and numbering of the clock cycle labels", "Customize Labels"},
    {cmd::PeriodLinesNone, "Draw no clock period lines", "No Period Lines"},
    {cmd::PeriodLinesBoth, "Draw period lines at both clock edges", "Both Edges"},
    {cmd::PeriodLinesRising, "Draw period lines at rising clock edges only", "Rising Edges"},
    {cmd::PeriodLinesFalling, "Draw period lines at falling clock edges only", "Falling Edges"},
    {cmd::PeriodLinesCenter, "Draw period lines between the clock edges", "Centred Period Lines"},
    {cmd::PeriodLinesCustomize, "Set the default clock period", "Setup Default Period"},
    {cmd::PeriodLinesDotted, "Draw dotted period lines", "Dotted Period Lines"},
    {cmd::PeriodLinesSolid, "Draw solid period lines", "Solid Period Lines"},
    {cmd::OwnPeriodYes, "Period lines follow each clock; signals under a clock align to it", "Own Period"},
    {cmd::OwnPeriodNo, "Period lines follow the default period only", "Common Period"},
    {cmd::NewSignalsHigh, "New signals start high", "New Signals High"},
    {cmd::NewSignalsLow, "New signals start low", "New Signals Low"},
    {cmd::AngledWireLeft, "New angled wires bend on the left", "Bend Left"},
    {cmd::AngledWireRight, "New angled wires bend on the right", "Bend Right"},
    {cmd::SvgOutputSettings, "Set the scale and options of SVG output", "SVG Output Settings"},
    {cmd::AdjustHeightSpacing, "Adjust the height of signals and the space between them",
     "Adjust Signal Height and Spacing"},
    // Time
    {cmd::TimeBase, "Set the time of one cell: half a clock period", "Time Base"},
    {cmd::TimingParameters, "Edit the diagram's timing parameters and the labels they measure", "Timing Parameters"},
    {cmd::CheckTiming, "List every timing parameter with its measured value and margin", "Check Timing"},
    {cmd::ViewTimeRuler, "Show or hide a ruler of times above the cycle labels", "Time Ruler"},
    {cmd::ViewParameterTable, "Show or hide the table of timing parameters under the diagram", "Parameter Table"},
    // Add
    {cmd::AddClock, "Add a new clock", "Add a Clock"},
    {cmd::AddSignal, "Add a new signal", "Add a Signal"},
    {cmd::AddBus, "Add a new bus", "Add a Bus"},
    {cmd::InsertSeparatorBlank, "Insert a blank separator row above the selected signal", "Insert Blank Separator"},
    {cmd::InsertSeparatorDotted, "Insert a dotted-line separator row above the selected signal",
     "Insert Dotted Separator"},
    {cmd::InsertSeparatorSolid, "Insert a solid-line separator row above the selected signal",
     "Insert Solid Separator"},
    {cmd::InsertSeparatorRectangle, "Insert a solid rectangle separator row above the selected signal",
     "Insert Rectangle Separator"},
    {cmd::ToolText, "Place a text box: click where it goes", "Text"},
    {cmd::ToolLabelOutward, "Draw a timing label with arrows pointing outward", "Label (arrows outward)"},
    {cmd::ToolLabelInward, "Draw a timing label with arrows pointing inward", "Label (arrows inward)"},
    {cmd::ToolBezierArrow, "Draw a curved arrow between two waveform points", "Bezier Arrow"},
    {cmd::ToolStraightArrow, "Draw a straight arrow between two waveform points", "Straight Arrow"},
    {cmd::ToolAngledWire, "Draw an angled wire between two waveform points", "Angled Wire"},
    {cmd::ToolFloatingArrow, "Draw an arrow anywhere, not tied to the waveforms", "Floating Arrow"},
    {cmd::ToolTimeBreak, "Mark a time break on a signal", "Time Break"},
    {cmd::ToolTriState, "Draw tri-state cells", "Add Tri-state"},
    {cmd::ToolBothHighLow, "Draw bus cells (both high and low)", "Add Both Hi/Low"},
    {cmd::ToolFloodFill, "Shade cells as an invalid region", "Flood Fill"},
    {cmd::ToolEraseFloodFill, "Remove the shading of invalid regions", "Erase Flood Fill"},
    {cmd::AddClockEdge, "Add one clock half-cycle to the diagram", "Add a Clock Edge"},
    {cmd::SubtractClockEdge, "Remove one clock half-cycle from the diagram", "Subtract a Clock Edge"},
    {cmd::IncreaseClockWidth, "Widen the clock cycles (zoom in)", "Increase Clock Width"},
    {cmd::DecreaseClockWidth, "Narrow the clock cycles (zoom out)", "Decrease Clock Width"},
    {cmd::IncreaseSignalHeight, "Make the signal rows taller", "Increase Signal Height"},
    {cmd::DecreaseSignalHeight, "Make the signal rows shorter", "Decrease Signal Height"},
    {cmd::AddSignalDelay, "Delay the highlighted signal", "Add Signal Delay"},
    {cmd::SubtractSignalDelay, "Reduce the delay of the highlighted signal", "Subtract Signal Delay"},
    // Mode
    {cmd::ModeDraw, "Draw waveforms: click or drag cells high or low", "Draw"},
    {cmd::ModeEdit, "Select and move signals, text and arrows", "Edit Mode"},
    // Help
    {cmd::HelpUsersGuide, "Read the Sigmora User's Guide", "User's Guide"},
    {cmd::HelpFaq, "Read answers to frequently asked questions", "FAQ"},
    {cmd::HelpReportBug, "Find out how to report a problem with Sigmora", "Report a Bug"},
    {cmd::HelpCheckUpdates, "Find out whether a newer Sigmora is available", "Check for Updates"},
    {cmd::AppAbout, "Show the program's name and version", "About Sigmora"},
    {cmd::TipOfTheDay, "Show a tip about using Sigmora", "Tip of the Day"},
    {framecmd::Help, "Open the Sigmora User's Guide", "Help"},
    {framecmd::ContextHelp, "Open the Sigmora User's Guide", "Help"},
    {framecmd::NextPane, "Move the keyboard focus to the diagram", "Next Pane"},
    {framecmd::PreviousPane, "Move the keyboard focus to the diagram", "Previous Pane"},
    // Context menus
    {ctx::Cut, "Cut the highlighted cells, or delete the selected object", "Cut"},
    {ctx::Copy, "Copy the selected signal or highlighted cells", "Copy"},
    {ctx::Paste, "Paste the copied cells", "Paste"},
    {ctx::InsertCopiedCells, "Insert the copied cells, shifting the rest right", "Insert Copied Cells"},
    {ctx::Delete, "Delete the highlighted cells or the selected signal", "Delete"},
    // The row menu's move items have no handler: they stay grey and their prompts tell the way.
    {ctx::MoveSignalUp, "Not here: with the row selected press Up, or drag its name, to move it up", "Move Signal Up"},
    {ctx::MoveSignalDown, "Not here: with the row selected press Down, or drag its name, to move it down", "Move Signal Down"},
    {ctx::High, "Set the highlighted cells high", "High"},
    {ctx::Low, "Set the highlighted cells low", "Low"},
    {ctx::TriState, "Set the highlighted cells to tri-state", "TriState"},
    {ctx::BothHighLow, "Set the highlighted cells to a bus value", "Both High and Low"},
    {ctx::Invert, "Invert the highlighted cells", "Invert"},
    {ctx::IdealEdge, "Draw this signal's edges vertical", "Ideal Transition Edge"},
    {ctx::NonIdealEdge, "Draw this signal's edges slanted", "Non Ideal Transition Edge"},
    {ctx::EditAttributes, "Edit the attributes of this signal", "Edit Attributes"},
    {ctx::SnapOn, "Snap the arrow's ends to the grid", "Snap to Grid"},
    {ctx::HeadBegin, "Put an arrowhead at the beginning", "Arrowhead at Beginning"},
    {ctx::HeadEnd, "Put an arrowhead at the end", "Arrowhead at End"},
    {ctx::HeadBoth, "Put arrowheads at both ends", "Arrowheads at Both Ends"},
    {ctx::HeadNone, "Draw no arrowheads", "No Arrowheads"},
    {ctx::StyleBezier, "Draw the arrow as a curve", "Bezier Curve"},
    {ctx::StyleStraight, "Draw the arrow as a straight line", "Straight Line"},
    {ctx::StyleAngled, "Draw the arrow as an angled line", "Angled Line"},
    {ctx::EditArrowColour, "Choose the colour of the arrow or label", "Edit Arrow Color"},
    {ctx::PointInside, "Point the label's arrows inward", "Arrows Inside"},
    {ctx::PointOutside, "Point the label's arrows outward", "Arrows Outside"},
    {ctx::CrossingYes, "Mark where the label crosses signals", "Show Crossing Marks"},
    {ctx::CrossingNo, "Do not mark where the label crosses signals", "Hide Crossing Marks"},
    {ctx::AlignLeft, "Align the selected text boxes on their left edges", "Align Left"},
    {ctx::AlignTop, "Align the selected text boxes on their top edges", "Align Top"},
    {ctx::AlignRight, "Align the selected text boxes on their right edges", "Align Right"},
    {ctx::AlignBottom, "Align the selected text boxes on their bottom edges", "Align Bottom"},
    {ctx::EditTextProperties, "Edit the font, colour and frame of the selected text", "Edit Text Properties"},
    // Snap positions of arrow and label ends
    {33030, "Snap the beginning of the arrow to the top of its signal", "Begin at Top"},
    {33039, "Snap the beginning of the arrow to 10% of the height of its signal", "Begin at 10%"},
    {33046, "Snap the beginning of the arrow to 20% of the height of its signal", "Begin at 20%"},
    {33047, "Snap the beginning of the arrow to 25% of the height of its signal", "Begin at 25%"},
    {33000, "Snap the beginning of the arrow to the middle of its signal", "Begin at 50%"},
    {33048, "Snap the beginning of the arrow to 75% of the height of its signal", "Begin at 75%"},
    {33002, "Snap the beginning of the arrow to 80% of the height of its signal", "Begin at 80%"},
    {33040, "Snap the beginning of the arrow to 90% of the height of its signal", "Begin at 90%"},
    {33031, "Snap the beginning of the arrow to the bottom of its signal", "Begin at Bottom"},
    {33032, "Snap the end of the arrow to the top of its signal", "End at Top"},
    {33005, "Snap the end of the arrow to 10% of the height of its signal", "End at 10%"},
    {33043, "Snap the end of the arrow to 20% of the height of its signal", "End at 20%"},
    {33049, "Snap the end of the arrow to 25% of the height of its signal", "End at 25%"},
    {33007, "Snap the end of the arrow to the middle of its signal", "End at 50%"},
    {33050, "Snap the end of the arrow to 75% of the height of its signal", "End at 75%"},
    {33044, "Snap the end of the arrow to 80% of the height of its signal", "End at 80%"},
    {33009, "Snap the end of the arrow to 90% of the height of its signal", "End at 90%"},
    {33033, "Snap the end of the arrow to the bottom of its signal", "End at Bottom"},
    {33054, "Snap the beginning of the label to the top of its signal", "Begin at Top"},
    {33055, "Snap the beginning of the label to 10% of the height of its signal", "Begin at 10%"},
    {33056, "Snap the beginning of the label to 20% of the height of its signal", "Begin at 20%"},
    {33057, "Snap the beginning of the label to 25% of the height of its signal", "Begin at 25%"},
    {33058, "Snap the beginning of the label to the middle of its signal", "Begin at 50%"},
    {33059, "Snap the beginning of the label to 75% of the height of its signal", "Begin at 75%"},
    {33060, "Snap the beginning of the label to 80% of the height of its signal", "Begin at 80%"},
    {33061, "Snap the beginning of the label to 90% of the height of its signal", "Begin at 90%"},
    {33062, "Snap the beginning of the label to the bottom of its signal", "Begin at Bottom"},
    {33063, "Snap the end of the label to the top of its signal", "End at Top"},
    {33064, "Snap the end of the label to 10% of the height of its signal", "End at 10%"},
    {33065, "Snap the end of the label to 20% of the height of its signal", "End at 20%"},
    {33066, "Snap the end of the label to 25% of the height of its signal", "End at 25%"},
    {33067, "Snap the end of the label to the middle of its signal", "End at 50%"},
    {33068, "Snap the end of the label to 75% of the height of its signal", "End at 75%"},
    {33069, "Snap the end of the label to 80% of the height of its signal", "End at 80%"},
    {33070, "Snap the end of the label to 90% of the height of its signal", "End at 90%"},
    {33071, "Snap the end of the label to the bottom of its signal", "End at Bottom"},
};

constexpr const char* kSnapTexts[] = {"Top", "10%", "20%", "25%", "50%", "75%", "80%", "90%", "Bottom"};

using K = MenuEntry::Kind;
constexpr MenuEntry popup(const char* text) { return {K::Popup, text, 0}; }
constexpr MenuEntry item(const char* text, int command) { return {K::Command, text, command}; }
constexpr MenuEntry end() { return {K::End, nullptr, 0}; }
constexpr MenuEntry separator() { return {K::Separator, nullptr, 0}; }

#define SIGMORA_SNAP_ITEMS(numbers)                                                                              \
    item(kSnapTexts[0], numbers[0]), item(kSnapTexts[1], numbers[1]), item(kSnapTexts[2], numbers[2]),       \
        item(kSnapTexts[3], numbers[3]), item(kSnapTexts[4], numbers[4]), item(kSnapTexts[5], numbers[5]),   \
        item(kSnapTexts[6], numbers[6]), item(kSnapTexts[7], numbers[7]), item(kSnapTexts[8], numbers[8])

#define SIGMORA_INSERT_SEPARATOR_POPUP                                                                           \
    popup("Insert Separator"), item("Blank", cmd::InsertSeparatorBlank),                                         \
        item("Dotted Line", cmd::InsertSeparatorDotted), item("Solid Line", cmd::InsertSeparatorSolid),          \
        item("Solid Rectangle", cmd::InsertSeparatorRectangle), end()

#define SIGMORA_ARROWHEAD_ITEMS                                                                                  \
    item("&Begin", ctx::HeadBegin), item("&End", ctx::HeadEnd), item("B&oth", ctx::HeadBoth),                    \
        item("&None", ctx::HeadNone)

constexpr MenuEntry kMainMenu[] = {
    popup("&File"),
    item("&New\tCtrl+N", cmd::FileNew),
    item("&Open...\tCtrl+O", cmd::FileOpen),
    item("Save", cmd::FileSave),
    item("&Save As...\tCtrl+Shift+S", cmd::FileSaveAs),
    separator(),
    item("Print\tCtrl+P", cmd::FilePrint),
    item("Print Advanced...", cmd::FilePrintAdvanced),
    separator(),
    popup("&Import"),
    item("ASCII  (comma delimited)...", cmd::ImportCsv),
    item("Sigmora XML...", cmd::ImportXml),
    item("Sigmora SVG...", cmd::ImportSvg),
    item("WaveJSON...", cmd::ImportWaveJson),
    item("Value Change Dump (VCD)...", cmd::ImportVcd),
    separator(),
    item("Verilog...", cmd::ImportVerilog),
    end(),
    popup("&Export"),
    item("&Clipboard\tCtrl+C", cmd::ExportClipboard),
    separator(),
    item("&Enhanced MetaFile (.emf)...", cmd::ExportEmf),
    item("Windows MetaFile (.wmf)", cmd::ExportWmf),
    item("Scalable Vector Graphics  (svg)...", cmd::ExportSvg),
    separator(),
    item("&Bitmap (.bmp)...", cmd::ExportBitmap),
    separator(),
    item("&ASCII (comma delimited) ...", cmd::ExportCsv),
    item("Sigmora XML...", cmd::ExportXml),
    item("WaveJSON...", cmd::ExportWaveJson),
    separator(),
    item("&Show ASCII waveforms...", cmd::ShowAsciiWaveforms),
    item("TestBench ...", cmd::ExportTestBench),
    separator(),
    item("PNG image...", cmd::ExportPng),
    item("PDF document...", cmd::ExportPdf),
    separator(),
    item("Value Change Dump (.vcd)...", cmd::ExportVcd),
    item("Verilog stimulus (.v)...", cmd::ExportVerilogStimulus),
    item("VHDL stimulus (.vhd)...", cmd::ExportVhdlStimulus),
    end(),
    item("Re&fresh from Dump", cmd::RefreshFromDump),
    separator(),
    {K::RecentFiles, "Recent File", kRecentFileFirst},
    separator(),
    item("E&xit\tCtrl+Q", cmd::AppExit),
    end(),

    popup("&Edit"),
    item("&Undo\tCtrl+Z", cmd::EditUndo),
    item("&Redo\tCtrl+Y", cmd::EditRedo),
    item("Cu&t\tCtrl+X", cmd::EditCut),
    item("&Copy\tCtrl+C", cmd::EditCopy),
    item("&Paste\tCtrl+V", cmd::EditPaste),
    item("Cancel Current Transact&ion\tESC", cmd::CancelTransaction),
    item("&Increase Left Margin\tCtrl+Right", cmd::IncreaseLeftMargin),
    item("&Decrease Left Margin\tCtrl+Left", cmd::DecreaseLeftMargin),
    item("Tab &Next Selection\tTab", cmd::TabNextSelection),
    item("Tab Pre&vious Selection\tShift+Tab", cmd::TabPreviousSelection),
    item("Edit &Signal Attributes...", cmd::EditSignalAttributes),
    separator(),
    item("Time Base...", cmd::TimeBase),
    item("Timing Parameters...", cmd::TimingParameters),
    item("Check Timing", cmd::CheckTiming),
    end(),

    popup("&View"),
    item("Sigmora Logo", cmd::ViewLogo),
    item("Bounding Rectangle", cmd::ViewBoundingRectangle),
    popup("Drop Shadow"),
    item("&Solid", cmd::DropShadowSolid),
    item("&Gradient", cmd::DropShadowGradient),
    item("&None", cmd::DropShadowNone),
    end(),
    item("Signal Separator", cmd::SignalSeparator),
    item("Waveform Separator", cmd::WaveformSeparator),
    popup("Signal Name Justification"),
    item("Left Justified", cmd::NamesLeftJustified),
    item("Right Justified", cmd::NamesRightJustified),
    end(),
    popup("Clock Cycle Labels"),
    item("&Visible", cmd::CycleLabelsVisible),
    item("&Customize...", cmd::CycleLabelsCustomize),
    end(),
    popup("Clock Period Lines"),
    item("No Period Lines", cmd::PeriodLinesNone),
    item("Both edges", cmd::PeriodLinesBoth),
    item("Rising edge only", cmd::PeriodLinesRising),
    item("Falling edge only", cmd::PeriodLinesFalling),
    item("Center", cmd::PeriodLinesCenter),
    item("Customize...", cmd::PeriodLinesCustomize),
    item("Dotted", cmd::PeriodLinesDotted),
    item("Solid", cmd::PeriodLinesSolid),
    popup("Each Clock has its own period (signals under it align to clock)"),
    item("yes", cmd::OwnPeriodYes),
    item("no", cmd::OwnPeriodNo),
    end(),
    end(),
    popup("Change Default Values"),
    item("new signals default to '1'", cmd::NewSignalsHigh),
    item("new signals default to '0'", cmd::NewSignalsLow),
    end(),
    popup("Angled Wire Direction"),
    item("Left", cmd::AngledWireLeft),
    item("Right", cmd::AngledWireRight),
    end(),
    popup("SVG"),
    item("Edit Output Settings...", cmd::SvgOutputSettings),
    end(),
    item("Adjust Signal Height and Spacing", cmd::AdjustHeightSpacing),
    separator(),
    item("Time Ruler", cmd::ViewTimeRuler),
    item("Parameter Table", cmd::ViewParameterTable),
    end(),

    popup("&Add"),
    item("&Clock", cmd::AddClock),
    item("&Signal", cmd::AddSignal),
    item("&Bus", cmd::AddBus),
    SIGMORA_INSERT_SEPARATOR_POPUP,
    item("&Text", cmd::ToolText),
    item("&Label (arrows outward)", cmd::ToolLabelOutward),
    item("Label (arrows inward)", cmd::ToolLabelInward),
    item("Bezier &Arrow", cmd::ToolBezierArrow),
    item("Straight Arrow", cmd::ToolStraightArrow),
    item("Angled Wire", cmd::ToolAngledWire),
    item("Floating Arrow", cmd::ToolFloatingArrow),
    item("&Time Break", cmd::ToolTimeBreak),
    item("Add Tri-state", cmd::ToolTriState),
    item("Add Both Hi/Low", cmd::ToolBothHighLow),
    item("&Flood Fill", cmd::ToolFloodFill),
    item("&Erase Flood Fill", cmd::ToolEraseFloodFill),
    item("&Add a clock edge", cmd::AddClockEdge),
    item("&Subtract a clock edge", cmd::SubtractClockEdge),
    item("Increase Clock &Width", cmd::IncreaseClockWidth),
    item("&Decrease &Clock Width", cmd::DecreaseClockWidth),
    item("Increase Signal Height", cmd::IncreaseSignalHeight),
    item("Decrease Signal Height", cmd::DecreaseSignalHeight),
    item("Add Signal Delay", cmd::AddSignalDelay),
    item("Subtract Signal Delay", cmd::SubtractSignalDelay),
    end(),

    popup("&Mode"),
    item("&Draw", cmd::ModeDraw),
    item("&Edit", cmd::ModeEdit),
    end(),

    popup("&Help"),
    item("Sigmora User's Guide...", cmd::HelpUsersGuide),
    item("Sigmora FAQ...", cmd::HelpFaq),
    item("&Report a bug...", cmd::HelpReportBug),
    item("&Check for Product Updates...", cmd::HelpCheckUpdates),
    item("&About Sigmora...", cmd::AppAbout),
    end(),
};

constexpr MenuEntry kSignalMenu[] = {
    popup("SIGNAL PROPERTIES"),
    item("&Cut\tCTRL+X", ctx::Cut),
    item("C&opy\tCTRL+C", ctx::Copy),
    item("&Paste\tCTRL+V", ctx::Paste),
    item("&Insert Copied Cells\tCTRL+I", ctx::InsertCopiedCells),
    item("&Delete\tCTRL+D", ctx::Delete),
    item("Move Signal Up", ctx::MoveSignalUp),
    item("Move Signal Down", ctx::MoveSignalDown),
    item("High", ctx::High),
    item("Low", ctx::Low),
    item("TriState", ctx::TriState),
    item("Both High and Low", ctx::BothHighLow),
    item("&Invert", ctx::Invert),
    item("Ideal transition edge", ctx::IdealEdge),
    item("Non ideal transition edge", ctx::NonIdealEdge),
    SIGMORA_INSERT_SEPARATOR_POPUP,
    item("&Edit Attributes ...", ctx::EditAttributes),
    end(),
};

constexpr MenuEntry kArrowMenu[] = {
    popup("ARROW PROPERTIES"),
    popup("Snap to &Grid"),
    item("On", ctx::SnapOn),
    popup("Begin"),
    SIGMORA_SNAP_ITEMS(kArrowSnapBegin),
    end(),
    popup("End"),
    SIGMORA_SNAP_ITEMS(kArrowSnapEnd),
    end(),
    end(),
    popup("&Arrow Head"),
    SIGMORA_ARROWHEAD_ITEMS,
    end(),
    popup("Arrow &Style"),
    item("&Bezier Curve", ctx::StyleBezier),
    item("&Straight Line", ctx::StyleStraight),
    item("Angled Line", ctx::StyleAngled),
    end(),
    item("&Edit Arrow Color...", ctx::EditArrowColour),
    end(),
};

constexpr MenuEntry kLabelMenu[] = {
    popup("LABEL PROPERTIES"),
    popup("Snap To Grid"),
    popup("Begin"),
    SIGMORA_SNAP_ITEMS(kLabelSnapBegin),
    end(),
    popup("End"),
    SIGMORA_SNAP_ITEMS(kLabelSnapEnd),
    end(),
    end(),
    popup("Draw Arrows &Pointing"),
    item("Inside", ctx::PointInside),
    item("Outside", ctx::PointOutside),
    end(),
    popup("&Draw Arrow Heads"),
    SIGMORA_ARROWHEAD_ITEMS,
    end(),
    popup("Show Signal Crossing Marks"),
    item("Yes", ctx::CrossingYes),
    item("No", ctx::CrossingNo),
    end(),
    item("&Edit Arrow Color...", ctx::EditArrowColour),
    end(),
};

constexpr MenuEntry kTextMenu[] = {
    popup("TEXT PROPERTIES"),
    popup("&Align Edges"),
    item("Left", ctx::AlignLeft),
    item("Top", ctx::AlignTop),
    item("Right", ctx::AlignRight),
    item("Bottom", ctx::AlignBottom),
    end(),
    item("Edit Text Properties...", ctx::EditTextProperties),
    end(),
};

#undef SIGMORA_SNAP_ITEMS
#undef SIGMORA_INSERT_SEPARATOR_POPUP
#undef SIGMORA_ARROWHEAD_ITEMS

constexpr int kToolsBar[] = {cmd::ModeEdit,          0, cmd::ModeDraw,         cmd::ToolTriState,
                             cmd::ToolBothHighLow,   0, cmd::ToolText,         0,
                             cmd::ToolLabelOutward,  cmd::ToolLabelInward,     0,
                             cmd::ToolBezierArrow,   cmd::ToolAngledWire,      cmd::ToolStraightArrow,
                             cmd::ToolFloatingArrow, 0, cmd::ToolTimeBreak,    0,
                             cmd::ToolFloodFill,     cmd::ToolEraseFloodFill,  0,
                             cmd::AddSignalDelay,    cmd::SubtractSignalDelay};
constexpr int kStandardBar[] = {cmd::FileNew,  cmd::FileOpen,  cmd::FileSave,  0,
                                cmd::EditCut,  cmd::ExportClipboard, cmd::FilePrint, 0,
                                cmd::EditUndo, cmd::EditRedo,  0,
                                cmd::AddClock, cmd::AddSignal, cmd::AddBus, cmd::InsertSeparatorBlank, 0,
                                cmd::EditSignalAttributes, 0,
                                cmd::ShowAsciiWaveforms};
constexpr int kZoomBar[] = {cmd::IncreaseClockWidth, cmd::DecreaseClockWidth};

constexpr ToolbarSpec kToolbars[] = {
    {"toolsBar", "Tools", kToolsBar, 20, 24, ToolbarSpec::Dock::Left},
    {"standardBar", "Standard", kStandardBar, 20, 24, ToolbarSpec::Dock::Top},
    {"zoomBar", "Zoom", kZoomBar, 19, 24, ToolbarSpec::Dock::Top},
};

constexpr Accelerator kAccelerators[] = {
    {cmd::EditCopy, "Ctrl+C"},       {cmd::FileSave, "Ctrl+S"},           {cmd::EditPaste, "Ctrl+V"},
    {cmd::EditCut, "Ctrl+X"},        {cmd::EditRedo, "Ctrl+Y"},           {cmd::EditUndo, "Ctrl+Z"},
    {framecmd::Help, "F1"},          {framecmd::ContextHelp, "Shift+F1"}, {framecmd::NextPane, "F6"},
    {framecmd::PreviousPane, "Shift+F6"},
    // The usual keys of a Linux desktop for the file commands; the diagram view uses none of them.
    {cmd::FileNew, "Ctrl+N"},        {cmd::FileOpen, "Ctrl+O"},           {cmd::FileSaveAs, "Ctrl+Shift+S"},
    {cmd::FilePrint, "Ctrl+P"},      {cmd::AppExit, "Ctrl+Q"},
};

} // namespace

std::span<const CommandInfo> commandInfos()
{
    return kCommands;
}

const CommandInfo* commandInfo(int command)
{
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [command](const CommandInfo& info) { return info.command == command; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const MenuEntry> mainMenuEntries()
{
    return kMainMenu;
}

std::span<const MenuEntry> contextMenuEntries(ContextMenu menu)
{
    switch (menu) {
    case ContextMenu::Signal: return kSignalMenu;
    case ContextMenu::Arrow: return kArrowMenu;
    case ContextMenu::Label: return kLabelMenu;
    case ContextMenu::Text: return kTextMenu;
    }
    return {};
}

std::span<const ToolbarSpec> toolbarSpecs()
{
    return kToolbars;
}

std::span<const Accelerator> accelerators()
{
    return kAccelerators;
}

} // namespace sigmora::app
