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
    {&LoggerTabTexts::Humidity, &LoggerPage::Edit24},
    {&LoggerTabTexts::Temperature, &LoggerPage::Edit25},
    {&LoggerTabTexts::Status, &LoggerPage::Edit26},
    {&LoggerTabTexts::Date, &LoggerPage::Edit27},
    {&LoggerTabTexts::Time, &LoggerPage::Edit28},
    {&LoggerTabTexts::ObjectId, &LoggerPage::Edit29},
    {&LoggerTabTexts::RecordNumber, &LoggerPage::Edit30},
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
        {&LoggerPage::Label42, "Label42", tr("Numer", "Label42"), &LoggerPage::Edit30, "Edit30", 32,
         24},
        {&LoggerPage::Label41, "Label41", tr("ID obiektu", "Label41"), &LoggerPage::Edit29,
         "Edit29", 56, 48},
        {&LoggerPage::Label36, "Label36", tr("Wilgotnosc", "Label36"), &LoggerPage::Edit24,
         "Edit24", 96, 88},
        {&LoggerPage::Label37, "Label37", tr("Temperatura", "Label37"), &LoggerPage::Edit25,
         "Edit25", 120, 112},
        {&LoggerPage::Label40, "Label40", tr("Data", "Label40"), &LoggerPage::Edit27, "Edit27", 152,
         144},
        {&LoggerPage::Label39, "Label39", tr("Czas", "Label39"), &LoggerPage::Edit28, "Edit28", 176,
         168},
        {&LoggerPage::Label38, "Label38", tr("Status", "Label38"), &LoggerPage::Edit26, "Edit26",
         208, 200},
    };
    for (const Row& row : rows) {
        this->*(row.label) =
            MakeLabel(this, row.labelName, row.caption, QRect(96, row.labelTop, 0, 0));
        QLineEdit* edit = MakeEdit(this, row.editName, QString(), QRect(168, row.editTop, 81, 21));
        edit->setReadOnly(true);
        this->*(row.edit) = edit;
    }

    Label43 =
        MakeLabel(this, "Label43", tr("Wprowadx numer rekordu", "Label43"), QRect(88, 288, 0, 0));
    Label44 = MakeLabel(this, "Label44", "[0 ... 255]", QRect(120, 304, 0, 0));
    Edit31 = MakeEdit(this, "Edit31", QString(), QRect(120, 320, 41, 21));
    Button3 = MakeButton(this, "Button3", tr("Wczytaj dane", "Button3"), QRect(200, 320, 75, 25));
    Button4 =
        MakeButton(this, "Button4", tr("Zapisz dane w pliku", "Button4"), QRect(408, 312, 121, 41));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(392, 280, 150, 16);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(0);
    ProgressBar1->hide();
}

void LoggerPage::Attach(InstrumentSession& session) {
    session_ = &session;
    connect(Button3, &QPushButton::clicked, this, &LoggerPage::ReadChosenRecord);
    connect(Button4, &QPushButton::clicked, this, &LoggerPage::StartDump);
    connect(&session, &InstrumentSession::LoggerRecordRead, this, &LoggerPage::ShowRecord);
    connect(&session, &InstrumentSession::DumpProgress, ProgressBar1, &QProgressBar::setValue);
    connect(&session, &InstrumentSession::DumpEnded, this, &LoggerPage::ShowDumpEnd);
}

void LoggerPage::ReadChosenRecord() {
    if (dumping_ || session_->Busy()) {
        return;  // another job has the link
    }
    const RecordNumberEntry entry = RecordNumberFromText(Edit31->text());
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
    ProgressBar1->reset();
    ProgressBar1->setMaximum(kLoggerRecordCount - 1);
    ProgressBar1->setVisible(true);
    if (session_->DumpLogger(std::move(file)) != SessionRequest::Started) {
        ProgressBar1->hide();
        ShowErrorBox(window(), NotConnectedText());
        return;
    }
    SetDumping(true);
}

// While the dump runs the window stays in use (the readouts and the chart go on); only what
// would ask the instrument for a record waits.
void LoggerPage::SetDumping(bool dumping) {
    dumping_ = dumping;
    for (QWidget* control : std::initializer_list<QWidget*>{Edit31, Button3, Button4}) {
        control->setEnabled(!dumping);
    }
}

void LoggerPage::ShowDumpEnd(const LoggerDumpResult& result, int closeError) {
    SetDumping(false);
    switch (result.end) {
        case LoggerDumpResult::End::Complete:
            ProgressBar1->hide();
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
            ProgressBar1->hide();
            ShowErrorBox(window(), LoggerDumpPortGoneText(result.linesWritten));
            break;
        case LoggerDumpResult::End::Stopped:
            ProgressBar1->hide();
            break;
    }
}
