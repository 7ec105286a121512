#pragma once

#include <QtGlobal>
#include <string>
#include <vector>

#include "app/cli/ExchangeConversions.h"

namespace sigmora::app {

// The batch conversion "sigmora --convert IN OUT": reads IN as a native diagram file of any
// version (previous versions are converted without a question and without a backup, since IN
// is not rewritten) and writes OUT by its extension: ".sgm" in the current layout, the pictures
// (".png", ".bmp", ".pdf", ".emf", ".wmf") as PictureConversions.h says. Other tools'
// formats are in ExchangeConversions.h, this program's SVG, XML, comma-separated and ASCII
// formats in SvgXmlCsvConversions.h. It needs no window and no display.

inline constexpr const char* kConvertOption = "--convert";

// True when the command line starts with "--convert".
bool isConvertCommand(int argc, char* argv[]);

// Runs the command: creates the application object it needs (on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise) and answers the exit status: 0 on success, 1 when the input
// cannot be read or the output not written, 2 for a wrong command line. Failures print one line
// on standard error.
int runConvertCommand(int argc, char* argv[]);

// The conversion, inside a running application: true on success, else a one-line error.
bool convertDiagramFile(const std::string& in, const std::string& out, std::string& error);
// The same with the options of a value change dump input (ExchangeConversions.h); inputs ending
// in ".json" or ".vcd" and outputs ending in ".json" are WaveJSON and dumps.
bool convertDiagramFile(const std::string& in, const std::string& out, const ExchangeOptions& options,
                        std::string& error);

// What failed of a conversion: the output (empty when the input could not be read, which fails
// every output) and the one-line error.
struct ConversionFailure {
    std::string out;
    std::string error;
};
// Reads in once and writes it to each of outs, each by its extension; answers what failed (nothing
// on success). Notes about what an output cannot carry are printed on standard error.
std::vector<ConversionFailure> convertDiagramFileToEach(const std::string& in, const std::vector<std::string>& outs,
                                                        const ExchangeOptions& options);

// Reads in as --convert does (by its extension; a regular file only) into a diagram that has just
// been made; what the input held but the diagram could not take is added to notes. False with a
// one-line error.
bool readConversionInput(const std::string& in, const ExchangeOptions& options, model::Diagram& diagram,
                         std::string& error, std::vector<std::string>& notes);

// True for an output whose texts are measured (the SVG document and the pictures): the fonts are
// made ready while its input is read.
bool isDrawnOutput(const std::string& out);
// The message handler of the conversions: Qt's own notices (a missing runtime folder, font
// warnings) would mix with the command's one-line results on standard error, so only its
// critical and fatal messages are printed.
void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message);

} // namespace sigmora::app
