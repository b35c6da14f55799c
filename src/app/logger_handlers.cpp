#include "app/logger_handlers.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <vector>

#include "app/error_box.h"
#include "app/main_window.h"
#include "logger/logger_dump.h"
#include "logger/logger_dump_file.h"
#include "logger/logger_messages.h"
#include "logger/logger_record.h"
#include "logger/logger_request.h"
#include "logger/record_number.h"
#include "measure/file_error_text.h"
#include "session/instrument_session.h"

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

LoggerHandlers::LoggerHandlers(TForm1& form, InstrumentSession& session, bool englishUi)
    : form_(form), session_(session), englishUi_(englishUi) {
    connect(&session_, &InstrumentSession::LoggerRecordRead, this, &LoggerHandlers::ShowRecord);
    connect(&session_, &InstrumentSession::DumpProgress, form_.ProgressBar1,
            &QProgressBar::setValue);
    connect(&session_, &InstrumentSession::DumpEnded, this, &LoggerHandlers::ShowDumpEnd);
}

LoggerHandlers::~LoggerHandlers() = default;

void LoggerHandlers::ShowNotConnected() {
    ShowErrorBox(&form_, LoggerNotConnectedText(englishUi_));
}

void LoggerHandlers::Button3Click() {
    if (block_ || session_.Busy()) {
        return;  // another job has the link
    }
    const RecordNumberEntry entry = RecordNumberFromText(form_.Edit31->text());
    if (!entry.ok) {
        ShowErrorBox(&form_, entry.error);
        return;
    }
    if (session_.ReadLoggerRecord(entry.number) == SessionRequest::NotConnected) {
        ShowNotConnected();
    }
}

void LoggerHandlers::ShowRecord(const LoggerRequestResult& got) {
    if (got.interrupted) {
        return;  // the window is closing
    }
    if (got.portGone) {
        ShowNotConnected();
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
    if (block_ || session_.Busy()) {
        return;
    }
    if (!session_.PortOpen()) {
        ShowNotConnected();  // before the file is touched
        return;
    }
    auto file = std::make_unique<LoggerDumpFile>();
    if (const int err = file->Create(); err != 0) {
        ShowErrorBox(&form_, FileErrorText(err));
        return;
    }

    QProgressBar* bar = form_.ProgressBar1;
    bar->reset();
    bar->setMaximum(kLoggerRecordCount - 1);
    bar->setVisible(true);
    if (session_.DumpLogger(std::move(file)) != SessionRequest::Started) {
        bar->hide();
        ShowNotConnected();
        return;
    }
    block_ = std::make_unique<InputBlock>(*bar);
}

void LoggerHandlers::ShowDumpEnd(const LoggerDumpResult& result, int closeError) {
    block_.reset();
    QProgressBar* bar = form_.ProgressBar1;
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
