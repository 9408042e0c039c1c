// Prints what the status panels cost a pass per file: the "Read" and
// "Current" texts that the pass sets for every file, set into the labels at
// once, against kept as strings and set when the bar paints (every 50 ms).
// It runs on the offscreen platform unless another is chosen, prints
// figures and never fails.
#include "enginetexts.h"
#include "lockkeys.h"
#include "panelstatusbar.h"
#include "paneltexts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Files = 100'000;

struct Texts
{
    QStringList read;
    QStringList current;
};

// Nanoseconds per file.
double perFile(PanelStatusBar &bar, const Texts &texts, bool keep)
{
    QElapsedTimer timer;
    timer.start();
    for (qsizetype i = 0; i < texts.read.size(); ++i) {
        if (keep) {
            bar.keepPanelText(PanelTexts::ReadPanel, texts.read[i]);
            bar.keepPanelText(PanelTexts::CurrentPanel, texts.current[i]);
        } else {
            bar.setPanelText(PanelTexts::ReadPanel, texts.read[i]);
            bar.setPanelText(PanelTexts::CurrentPanel, texts.current[i]);
        }
        bar.repaintThrottled();
    }
    bar.showKeptTexts();
    return double(timer.nsecsElapsed()) / double(texts.read.size());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QMainWindow window;
    auto *bar = new PanelStatusBar(createLockKeys(), &window);
    window.setStatusBar(bar);
    window.resize(730, 630);
    window.show();
    QApplication::processEvents();

    Texts texts;
    for (int i = 1; i <= Files; ++i) {
        texts.read.append(PanelTexts::readCount(i));
        texts.current.append(u" /home/ann/Music/Album %1/Track %2.mp3"_s.arg(i / 100).arg(i));
    }
    for (int round = 0; round < 3; ++round) {
        const double atOnce = perFile(*bar, texts, false);
        const double kept = perFile(*bar, texts, true);
        std::printf("status panels, %d files: set into the labels at once %5.0f ns/file, "
                    "kept until the bar paints %5.0f ns/file\n",
            Files, atOnce, kept);
    }
    return 0;
}
