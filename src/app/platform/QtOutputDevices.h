#pragma once

#include "edit/files/OutputDevices.h"

class QWidget;

namespace sigmora::app {

// The picture outputs on Qt: bitmaps drawn into an image like the screen's, the printer through
// the print dialog (printing to a PDF file included), and the system clipboard.
class QtOutputDevices : public edit::OutputDevices {
public:
    explicit QtOutputDevices(QWidget* parent) : parent_(parent) {}

    std::string bitmapFile(render::Size size, const Drawing& draw) override;
    std::string pngFile(render::Size size, const Drawing& draw) override;
    std::string pdfFile(render::Size size, const Drawing& draw) override;
    std::optional<int> chooseCyclesToPrint(int proposed) override;
    bool print(const std::string& documentName, const std::string& pdfFile, const Drawing& draw) override;
    bool putOnClipboard(const ClipboardPicture& picture) override;

private:
    QWidget* parent_;
};

} // namespace sigmora::app
