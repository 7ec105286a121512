#pragma once

namespace sigmora::edit::cmd {

// Command numbers shared by menu items, toolbar buttons, accelerators and handlers.

// File
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintAdvanced = 32904;
inline constexpr int ImportCsv = 32969;
inline constexpr int ImportXml = 32957;
inline constexpr int ImportSvg = 33023;
inline constexpr int ImportVerilog = 33082;
// Exchange with other timing-diagram and simulation tools.
inline constexpr int ExportWaveJson = 33301;
inline constexpr int ImportWaveJson = 33302;
inline constexpr int ImportVcd = 33303;
// The rows of a diagram imported from a dump, drawn anew from the dump.
inline constexpr int RefreshFromDump = 33307;
// Pictures for documents, as the command line writes them.
inline constexpr int ExportPng = 33320;
inline constexpr int ExportPdf = 33321;
// The drawn waveforms as a value change dump and as Verilog and VHDL stimulus.
inline constexpr int ExportVcd = 33304;
inline constexpr int ExportVerilogStimulus = 33305;
inline constexpr int ExportVhdlStimulus = 33306;
inline constexpr int ExportClipboard = 32832;
inline constexpr int ExportEmf = 32882;
inline constexpr int ExportWmf = 33077;
inline constexpr int ExportSvg = 32996;
inline constexpr int ExportBitmap = 32809;
inline constexpr int ExportCsv = 32992;
inline constexpr int ExportXml = 32952;
inline constexpr int ShowAsciiWaveforms = 32968;
inline constexpr int ExportTestBench = 33078;
inline constexpr int RecentFile1 = 57616;
inline constexpr int AppExit = 57665;

// Edit
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int CancelTransaction = 32866;
inline constexpr int IncreaseLeftMargin = 32856;
inline constexpr int DecreaseLeftMargin = 32855;
inline constexpr int TabNextSelection = 32857;
inline constexpr int TabPreviousSelection = 32865;
inline constexpr int EditSignalAttributes = 32839;
inline constexpr int MoveUp = 32849;
inline constexpr int MoveDown = 32850;
inline constexpr int MoveTextLeft = 32847;
inline constexpr int MoveTextRight = 32848;

// View
inline constexpr int ViewLogo = 32831;
inline constexpr int ViewBoundingRectangle = 32830;
inline constexpr int DropShadowSolid = 32917;
inline constexpr int DropShadowGradient = 32918;
inline constexpr int DropShadowNone = 32919;
inline constexpr int SignalSeparator = 33024;
inline constexpr int WaveformSeparator = 33029;
inline constexpr int NamesLeftJustified = 33015;
inline constexpr int NamesRightJustified = 33016;
inline constexpr int CycleLabelsVisible = 32902;
inline constexpr int CycleLabelsCustomize = 32903;
inline constexpr int PeriodLinesNone = 32869;
inline constexpr int PeriodLinesBoth = 32868;
inline constexpr int PeriodLinesRising = 32872;
inline constexpr int PeriodLinesFalling = 32873;
inline constexpr int PeriodLinesCenter = 33052;
inline constexpr int PeriodLinesCustomize = 33053;
inline constexpr int PeriodLinesDotted = 32961;
inline constexpr int PeriodLinesSolid = 32960;
inline constexpr int OwnPeriodYes = 32950;
inline constexpr int OwnPeriodNo = 32951;
inline constexpr int NewSignalsHigh = 32880;
inline constexpr int NewSignalsLow = 32881;
inline constexpr int AngledWireLeft = 32939;
inline constexpr int AngledWireRight = 32940;
inline constexpr int SvgOutputSettings = 32997;
inline constexpr int AdjustHeightSpacing = 32943;
// Time: the diagram's time base, its ruler, its timing parameters and their checks.
inline constexpr int TimeBase = 33340;
inline constexpr int TimingParameters = 33341;
inline constexpr int CheckTiming = 33342;
inline constexpr int ViewTimeRuler = 33343;
inline constexpr int ViewParameterTable = 33344;
inline constexpr int DecreaseSignalSpacing = 32944;

// Add
inline constexpr int AddClock = 32776;
inline constexpr int AddSignal = 32777;
inline constexpr int AddBus = 32780;
inline constexpr int InsertSeparatorBlank = 32896;
inline constexpr int InsertSeparatorDotted = 32894;
inline constexpr int InsertSeparatorSolid = 32895;
inline constexpr int InsertSeparatorRectangle = 32897;
inline constexpr int ToolText = 32785;
inline constexpr int ToolLabelOutward = 32874;
inline constexpr int ToolLabelInward = 32971;
inline constexpr int ToolBezierArrow = 32792;
inline constexpr int ToolStraightArrow = 32933;
inline constexpr int ToolAngledWire = 32947;
inline constexpr int ToolFloatingArrow = 33011;
inline constexpr int ToolTimeBreak = 32884;
inline constexpr int ToolTriState = 32901;
inline constexpr int ToolBothHighLow = 32932;
inline constexpr int ToolFloodFill = 32794;
inline constexpr int ToolEraseFloodFill = 32836;
inline constexpr int AddClockEdge = 32818;
inline constexpr int SubtractClockEdge = 32819;
inline constexpr int IncreaseClockWidth = 32820;
inline constexpr int DecreaseClockWidth = 32821;
inline constexpr int IncreaseSignalHeight = 32823;
inline constexpr int DecreaseSignalHeight = 32824;
inline constexpr int AddSignalDelay = 32825;
inline constexpr int SubtractSignalDelay = 32827;
inline constexpr int CreateDerivedSignal = 32920;

// Mode
inline constexpr int ModeDraw = 32787;
inline constexpr int ModeEdit = 32788;

// Help
inline constexpr int HelpUsersGuide = 32991;
inline constexpr int HelpFaq = 32921;
inline constexpr int HelpReportBug = 32949;
inline constexpr int HelpCheckUpdates = 32923;
inline constexpr int AppAbout = 57664;
inline constexpr int TipOfTheDay = 104;

// Context menus
namespace ctx {
inline constexpr int Cut = 32886;
inline constexpr int Copy = 32888;
inline constexpr int Paste = 32889;
inline constexpr int InsertCopiedCells = 32887;
inline constexpr int Delete = 32890;
inline constexpr int MoveSignalUp = 32924;
inline constexpr int MoveSignalDown = 32925;
inline constexpr int High = 32926;
inline constexpr int Low = 32927;
inline constexpr int TriState = 32892;
inline constexpr int BothHighLow = 32928;
inline constexpr int Invert = 32885;
inline constexpr int IdealEdge = 32958;
inline constexpr int NonIdealEdge = 32959;
inline constexpr int EditAttributes = 32891;
inline constexpr int SnapOn = 33014;
inline constexpr int HeadBegin = 32911;
inline constexpr int HeadEnd = 32912;
inline constexpr int HeadBoth = 32913;
inline constexpr int HeadNone = 32914;
inline constexpr int StyleBezier = 32937;
inline constexpr int StyleStraight = 32938;
inline constexpr int StyleAngled = 32936;
inline constexpr int EditArrowColour = 32915;
inline constexpr int PointInside = 32973;
inline constexpr int PointOutside = 32974;
inline constexpr int CrossingYes = 33080;
inline constexpr int CrossingNo = 33081;
inline constexpr int AlignLeft = 33051;
inline constexpr int AlignTop = 33034;
inline constexpr int AlignRight = 33072;
inline constexpr int AlignBottom = 33073;
inline constexpr int EditTextProperties = 33074;
} // namespace ctx

// Snap positions, top to bottom, for the begin and end of arrows and labels.
inline constexpr int kArrowSnapBegin[] = {33030, 33039, 33046, 33047, 33000, 33048, 33002, 33040, 33031};
inline constexpr int kArrowSnapEnd[] = {33032, 33005, 33043, 33049, 33007, 33050, 33044, 33009, 33033};
inline constexpr int kLabelSnapBegin[] = {33054, 33055, 33056, 33057, 33058, 33059, 33060, 33061, 33062};
inline constexpr int kLabelSnapEnd[] = {33063, 33064, 33065, 33066, 33067, 33068, 33069, 33070, 33071};

} // namespace sigmora::edit::cmd
