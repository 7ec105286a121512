#pragma once

// Shared by the benchmarks that time editor calls as the window makes them.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "app/platform/QtSurface.h"
#include "edit/Editor.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"
#include "support/LargestDiagram.h"

namespace sigmora::bench {

// An editor on the largest diagram whose refresh redraws the 1920 x 1080 screen image, as the
// window does.
struct ScreenEditor {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    QImage image{1920, 1080, QImage::Format_RGB32};

    ScreenEditor()
    {
        editor.diagram() = test::largestDiagram(0);
        editor.onRefresh = [this] {
            QPainter painter(&image);
            app::QtSurface surface(painter, {image.width(), image.height()});
            editor.redraw(surface);
        };
    }
};

// Runs the registered benchmarks with an off-screen Qt platform for the fonts and images.
inline int runBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace sigmora::bench
