#include "app/logger_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <array>

#include "app/error_box.h"
#include "app/form_controls.h"
#include "app/info_box.h"
#include "logger/logger_dump_file.h"
#include "logger/logger_messages.h"
#include "logger/logger_record.h"
#include "logger/record_number.h"
#include "measure/file_error_text.h"
#include "session/connect_texts.h"
#include "session/instrument_session.h"

namespace {

// Which edit shows which text of a record.
struct RecordBinding {
    QString LoggerTabTexts::*text;
    QLineEdit* LoggerPage::*edit;
};
constexpr std::array<RecordBinding, 7> kRecordEdits = {{
    {&LoggerTabTexts::Humidity, &LoggerPage::HumidityEdit},
    {&LoggerTabTexts::Temperature, &LoggerPage::TemperatureEdit},
    {&LoggerTabTexts::Status, &LoggerPage::StatusEdit},
    {&LoggerTabTexts::Date, &LoggerPage::DateEdit},
    {&LoggerTabTexts::Time, &LoggerPage::TimeEdit},
    {&LoggerTabTexts::ObjectId, &LoggerPage::ObjectIdEdit},
    {&LoggerTabTexts::RecordNumber, &LoggerPage::RecordNumberEdit},
}};

}  // namespace

LoggerPage::LoggerPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet4"));
    struct Row {
        QLabel* LoggerPage::*label;
        const char* labelName;
        QString caption;
        QLineEdit* LoggerPage::*edit;
        const char* editName;
        int labelTop;
        int editTop;
    };
    const Row rows[] = {
        {&LoggerPage::RecordNumberCaption, "Label42", tr("Numer", "Label42"),
         &LoggerPage::RecordNumberEdit, "Edit30", 32, 24},
        {&LoggerPage::ObjectIdCaption, "Label41", tr("ID obiektu", "Label41"),
         &LoggerPage::ObjectIdEdit, "Edit29", 56, 48},
        {&LoggerPage::HumidityCaption, "Label36", tr("Wilgotnosc", "Label36"),
         &LoggerPage::HumidityEdit, "Edit24", 96, 88},
        {&LoggerPage::TemperatureCaption, "Label37", tr("Temperatura", "Label37"),
         &LoggerPage::TemperatureEdit, "Edit25", 120, 112},
        {&LoggerPage::DateCaption, "Label40", tr("Data", "Label40"), &LoggerPage::DateEdit,
         "Edit27", 152, 144},
        {&LoggerPage::TimeCaption, "Label39", tr("Czas", "Label39"), &LoggerPage::TimeEdit,
         "Edit28", 176, 168},
        {&LoggerPage::StatusCaption, "Label38", tr("Status", "Label38"), &LoggerPage::StatusEdit,
         "Edit26", 208, 200},
    };
    for (const Row& row : rows) {
        this->*(row.label) =
            MakeLabel(this, row.labelName, row.caption, QRect(96, row.labelTop, 0, 0));
        QLineEdit* edit = MakeEdit(this, row.editName, QString(), QRect(168, row.editTop, 81, 21));
        edit->setReadOnly(true);
        this->*(row.edit) = edit;
    }

    ChosenRecordCaption =
        MakeLabel(this, "Label43", tr("Wprowadx numer rekordu", "Label43"), QRect(88, 288, 0, 0));
    ChosenRecordRange = MakeLabel(this, "Label44", "[0 ... 255]", QRect(120, 304, 0, 0));
    ChosenRecordEdit = MakeEdit(this, "Edit31", QString(), QRect(120, 320, 41, 21));
    ReadRecordButton =
        MakeButton(this, "Button3", tr("Wczytaj dane", "Button3"), QRect(200, 320, 75, 25));
    DumpButton =
        MakeButton(this, "Button4", tr("Zapisz dane w pliku", "Button4"), QRect(408, 312, 121, 41));

    DumpProgressBar = new QProgressBar(this);
    DumpProgressBar->setObjectName(QStringLiteral("ProgressBar1"));
    DumpProgressBar->setGeometry(392, 280, 150, 16);
    DumpProgressBar->setMinimum(0);
    DumpProgressBar->setValue(0);
    DumpProgressBar->hide();
}

void LoggerPage::Attach(InstrumentSession& session) {
    session_ = &session;
    connect(ReadRecordButton, &QPushButton::clicked, this, &LoggerPage::ReadChosenRecord);
    connect(DumpButton, &QPushButton::clicked, this, &LoggerPage::StartDump);
    connect(&session, &InstrumentSession::LoggerRecordRead, this, &LoggerPage::ShowRecord);
    connect(&session, &InstrumentSession::DumpProgress, DumpProgressBar, &QProgressBar::setValue);
    connect(&session, &InstrumentSession::DumpEnded, this, &LoggerPage::ShowDumpEnd);
}

void LoggerPage::ReadChosenRecord() {
    if (dumping_ || session_->Busy()) {
        return;  // another job has the link
    }
    const RecordNumberEntry entry = RecordNumberFromText(ChosenRecordEdit->text());
    if (!entry.ok) {
        ShowErrorBox(window(), entry.error);
        return;
    }
    if (session_->ReadLoggerRecord(entry.number) == SessionRequest::NotConnected) {
        ShowErrorBox(window(), NotConnectedText());
    }
}

void LoggerPage::ShowRecord(const LoggerRequestResult& got) {
    if (got.interrupted) {
        return;  // the window is closing
    }
    if (got.portGone) {
        ShowErrorBox(window(), NotConnectedText());
        return;
    }
    const LoggerTabTexts texts = FormatLoggerTab(got.record);
    for (const RecordBinding& binding : kRecordEdits) {
        (this->*(binding.edit))->setText(texts.*(binding.text));
    }
}

void LoggerPage::StartDump() {
    if (dumping_ || session_->Busy()) {
        return;
    }
    if (!session_->PortOpen()) {
        ShowErrorBox(window(), NotConnectedText());  // before the file is touched
        return;
    }
    auto file = std::make_unique<LoggerDumpFile>();
    if (const int err = file->Create(); err != 0) {
        ShowErrorBox(window(), FileErrorText(err));
        return;
    }
    DumpProgressBar->reset();
    DumpProgressBar->setMaximum(kLoggerRecordCount - 1);
    DumpProgressBar->setVisible(true);
    if (session_->DumpLogger(std::move(file)) != SessionRequest::Started) {
        DumpProgressBar->hide();
        ShowErrorBox(window(), NotConnectedText());
        return;
    }
    SetDumping(true);
}

// While the dump runs the window stays in use (the readouts and the chart go on); only what
// would ask the instrument for a record waits.
void LoggerPage::SetDumping(bool dumping) {
    dumping_ = dumping;
    for (QWidget* control :
         std::initializer_list<QWidget*>{ChosenRecordEdit, ReadRecordButton, DumpButton}) {
        control->setEnabled(!dumping);
    }
}

void LoggerPage::ShowDumpEnd(const LoggerDumpResult& result, int closeError) {
    SetDumping(false);
    switch (result.end) {
        case LoggerDumpResult::End::Complete:
            DumpProgressBar->hide();
            if (closeError != 0) {
                ShowErrorBox(window(), FileErrorText(closeError));
            } else {
                ShowInfoBox(window(), tr("Rejestrator"),
                            tr("Zapisano %1 rekordów w pliku %2.")
                                .arg(QString::number(result.linesWritten),
                                     QString::fromLatin1(kLoggerDumpName)));
            }
            break;
        case LoggerDumpResult::End::FileError:
            // The bar stays where the dump stopped until the next dump.
            ShowErrorBox(window(), FileErrorText(result.fileError));
            break;
        case LoggerDumpResult::End::PortGone:
            // No further dump can follow to hide it; the message names the record reached.
            DumpProgressBar->hide();
            ShowErrorBox(window(), LoggerDumpPortGoneText(result.linesWritten));
            break;
        case LoggerDumpResult::End::Stopped:
            DumpProgressBar->hide();
            break;
    }
}
