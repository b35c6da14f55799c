// window_screenshots: the window of hygrometer (or hygrometer-en), wired to the instrument on
// a port as the program wires it, connected and measuring for a while, each tab grabbed into
// a PNG. scripts/screenshots runs it under Xvfb against the simulator, so the pictures are
// drawn with the X server's fonts as the operator's window is. Not installed.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <iterator>

#include "app/app_texts.h"
#include "app/main_controller.h"
#include "app/main_window.h"
#include "texts/interface_language.h"

namespace {

// The logger record shown in the Logger tab's edits.
constexpr const char* kShownRecord = "7";

// Runs the event loop until `done` holds; false after `timeoutMs`.
bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

// Lets the window paint what it was last told (a replot is queued).
void Settle() {
    WaitFor([] { return false; }, 300);
}

// Answers every box the window opens (the identification at connect, the end of the dump)
// as the operator would with OK, and tells what it said.
class BoxAnswerer {
  public:
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            std::fprintf(stderr, "box: %s\n", qPrintable(box->text().replace('\n', ' ')));
            box->done(QMessageBox::Ok);
        });
        timer_.start(50);
    }

  private:
    QTimer timer_;
};

bool Fail(const char* what) {
    std::fprintf(stderr, "window_screenshots: %s\n", what);
    return false;
}

// Connects, measures `samples` samples, dumps the logger and reads one record of it.
bool Prepare(TForm1& form, InstrumentSession& session, int samples) {
    bool dumped = false;
    bool recordShown = false;
    QObject::connect(&session, &InstrumentSession::DumpEnded, [&] { dumped = true; });
    QObject::connect(&session, &InstrumentSession::LoggerRecordRead, [&] { recordShown = true; });

    form.HygrometerTab->ConnectButton->click();
    if (!WaitFor([&] { return session.State() == SessionState::Connected; }, 60000)) {
        return Fail("the instrument was not connected");
    }
    form.LoggerTab->DumpButton->click();
    if (!WaitFor([&] { return dumped && !session.Busy(); }, 180000)) {
        return Fail("the logger dump did not end");
    }
    form.LoggerTab->ChosenRecordEdit->setText(QString::fromLatin1(kShownRecord));
    form.LoggerTab->ReadRecordButton->click();
    if (!WaitFor([&] { return recordShown && !session.Busy(); }, 30000)) {
        return Fail("the logger record was not read");
    }
    if (!WaitFor([&] { return session.SampleCount() >= samples; }, 5000 + samples * 3000)) {
        return Fail("too few samples came");
    }
    return true;
}

// Each tab by the name its picture gets, in the tabs' order.
bool GrabTabs(TForm1& form, const QString& prefix) {
    const char* const names[] = {"chart", "settings", "hygrometer", "logger", "quantities"};
    if (form.Tabs->count() != static_cast<int>(std::size(names))) {
        return Fail("the window's tabs are not the ones named here");
    }
    for (int i = 0; i < form.Tabs->count(); ++i) {
        form.Tabs->setCurrentIndex(i);
        Settle();
        const QString path = prefix + QString::fromLatin1(names[i]) + ".png";
        if (!form.grab().save(path, "PNG")) {
            return Fail(qPrintable("could not write " + path));
        }
        std::fprintf(stderr, "%s\n", qPrintable(path));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Grabs each tab of the window, connected to the instrument on PORT, into\n"
        "DIR/window-LANGUAGE-TAB.png.");
    parser.addHelpOption();
    const QCommandLineOption port("port", "The instrument's port.", "PATH");
    const QCommandLineOption out("out", "Where the pictures go.", "DIR");
    const QCommandLineOption english("english", "The window of hygrometer-en.");
    const QCommandLineOption locale("locale", "The operator's locale (e.g. pl_PL).", "NAME");
    const QCommandLineOption samples("samples", "Samples on the chart first.", "N", "60");
    parser.addOptions({port, out, english, locale, samples});
    parser.process(app);
    if (!parser.isSet(port) || !parser.isSet(out)) {
        parser.showHelp(2);
    }
    if (parser.isSet(locale)) {
        QLocale::setDefault(QLocale(parser.value(locale)));
    }
    const QString prefix =
        QDir(parser.value(out))
            .absoluteFilePath(parser.isSet(english) ? "window-en-" : "window-pl-");

    // The log and logged.txt go into a scratch directory; no dated record is kept.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) {
        Fail("no scratch directory");
        return 1;
    }
    const InterfaceTranslator language(parser.isSet(english) ? InterfaceLanguage::English
                                                             : InterfaceLanguage::Polish);
    if (!language.Loaded()) {
        Fail("the English texts could not be loaded");
        return 1;
    }
    TForm1 form;
    MainController controller(form, ControllerOptions{{parser.value(port).toStdString()}});
    form.show();
    const BoxAnswerer answerer;
    const bool done = Prepare(form, controller.session(), parser.value(samples).toInt()) &&
                      GrabTabs(form, prefix);
    controller.Shutdown();
    return done ? 0 : 1;
}
