#include "app/logger_handlers.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <vector>

#include "app/error_box.h"
#include "app/main_window.h"
#include "link/instrument_link.h"
#include "logger/logger_dump.h"
#include "logger/logger_dump_file.h"
#include "logger/logger_messages.h"
#include "logger/logger_record.h"
#include "logger/logger_request.h"
#include "logger/record_number.h"
#include "measure/file_error_text.h"

using namespace std::chrono_literals;

namespace {

constexpr std::chrono::milliseconds kSingleRecordWait = 300ms;

// Takes the window's input away for the length of a dump: every widget is disabled except
// `keep` and the widgets that hold it, so the progress bar alone stays lit, and the cursor
// says the program is busy. Puts back exactly what it took.
class InputBlock {
  public:
    explicit InputBlock(QWidget& keep) {
        QWidget* onPath = &keep;
        for (QWidget* parent = keep.parentWidget(); parent != nullptr;
             onPath = parent, parent = parent->parentWidget()) {
            for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child != onPath && !child->isWindow() &&
                    !child->testAttribute(Qt::WA_ForceDisabled)) {
                    child->setEnabled(false);
                    disabled_.emplace_back(child);
                }
            }
            if (parent->isWindow()) {
                break;
            }
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~InputBlock() {
        QApplication::restoreOverrideCursor();
        for (const QPointer<QWidget>& widget : disabled_) {
            if (widget) {
                widget->setEnabled(true);
            }
        }
    }
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

  private:
    std::vector<QPointer<QWidget>> disabled_;
};

}  // namespace

LoggerHandlers::LoggerHandlers(TForm1& form, InstrumentLink& link, bool englishUi)
    : form_(form), link_(link), englishUi_(englishUi) {}

LoggerHandlers::~LoggerHandlers() {
    Shutdown();
}

void LoggerHandlers::Shutdown() {
    stopDump_.store(true);
    if (dumpTask_.joinable()) {
        dumpTask_.join();
    }
}

void LoggerHandlers::Button3Click() {
    if (dumpTask_.joinable()) {
        return;  // the dump has the tab
    }
    const RecordNumberEntry entry = RecordNumberFromText(form_.Edit31->text());
    if (!entry.ok) {
        ShowErrorBox(&form_, entry.error);
        return;
    }
    if (!link_.PortIsOpen()) {
        ShowErrorBox(&form_, LoggerNotConnectedText(englishUi_));
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LoggerRequestResult got = RequestLoggerRecord(link_, entry.number, kSingleRecordWait);
    QApplication::restoreOverrideCursor();
    if (got.interrupted) {
        return;  // the window is closing
    }
    if (got.portGone) {
        ShowErrorBox(&form_, LoggerNotConnectedText(englishUi_));
        return;
    }

    const LoggerTabTexts texts = FormatLoggerTab(got.record);
    form_.Edit24->setText(texts.Edit24);
    form_.Edit25->setText(texts.Edit25);
    form_.Edit26->setText(texts.Edit26);
    form_.Edit27->setText(texts.Edit27);
    form_.Edit28->setText(texts.Edit28);
    form_.Edit29->setText(texts.Edit29);
    form_.Edit30->setText(texts.Edit30);
}

void LoggerHandlers::Button4Click() {
    if (dumpTask_.joinable()) {
        return;
    }
    if (!link_.PortIsOpen()) {
        ShowErrorBox(&form_, LoggerNotConnectedText(englishUi_));
        return;
    }
    LoggerDumpFile file;
    if (const int err = file.Create(); err != 0) {
        ShowErrorBox(&form_, FileErrorText(err));
        return;
    }

    QProgressBar* bar = form_.ProgressBar1;
    bar->reset();
    bar->setMaximum(kLoggerRecordCount - 1);
    bar->setVisible(true);

    LoggerDumpResult result;
    int closeError = 0;
    {
        InputBlock block(*bar);
        QEventLoop loop;
        const auto toBar = connect(this, &LoggerHandlers::DumpPosition, bar,
                                   &QProgressBar::setValue, Qt::QueuedConnection);
        const auto toLoop = connect(this, &LoggerHandlers::DumpEnded, &loop, &QEventLoop::quit,
                                    Qt::QueuedConnection);
        stopDump_.store(false);
        dumpTask_ = std::thread([this, &file, &result, &closeError] {
            result = DumpLoggerRecords(
                link_, [&file](const QByteArray& line) { return file.WriteLine(line); },
                [this](int number) { emit DumpPosition(number); }, stopDump_);
            closeError = file.Close();
            emit DumpEnded();
        });
        loop.exec();
        // The loop also ends when the application quits: the task must not outlive us.
        Shutdown();
        disconnect(toBar);
        disconnect(toLoop);
    }

    if (link_.ShuttingDown()) {
        return;  // the window is closing: nobody to tell
    }
    switch (result.end) {
        case LoggerDumpResult::End::Complete:
            bar->hide();
            if (closeError != 0) {
                ShowErrorBox(&form_, FileErrorText(closeError));
            }
            break;
        case LoggerDumpResult::End::FileError:
            // The bar stays where the dump stopped until the next dump.
            ShowErrorBox(&form_, FileErrorText(result.fileError));
            break;
        case LoggerDumpResult::End::PortGone:
            // No further dump can follow to hide it; the message names the record reached.
            bar->hide();
            ShowErrorBox(&form_, LoggerDumpPortGoneText(result.linesWritten, englishUi_));
            break;
        case LoggerDumpResult::End::Stopped:
            bar->hide();
            break;
    }
}
