// The window's dated record: a directory that is not there is said once in the error box,
// measuring goes on, and the record starts once the directory is there.
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "common/e2e_fixture.h"
#include "measure/record_row.h"

namespace {

using RecordTest = E2eTest;

TEST_F(RecordTest, AMissingDirectoryIsSaidOnceAndTheRecordStartsWhenItComes) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    const QString records = WorkFile("records");
    form_ = std::make_unique<TForm1>();
    controller_ = std::make_unique<MainController>(
        *form_, ControllerOptions{{instrument.SlavePath()}, records.toStdString()});
    ClickConnect();
    ASSERT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled()) << "measuring";
    modals_.clear();  // the identification

    ASSERT_TRUE(WaitFor([&] { return controller_->session().SampleCount() >= 3; }, 20000));
    ASSERT_EQ(modals_.boxes().size(), 1);
    EXPECT_EQ(modals_.boxes()[0].objectName, "ErrorBox");
    EXPECT_EQ(
        modals_.boxes()[0].text,
        records + ": Nie znaleziono pliku; wierszy czekających w pamięci: 1, pomiar trwa dalej.");

    ASSERT_TRUE(QDir(workDir_.path()).mkdir("records"));
    const int before = controller_->session().SampleCount();
    ASSERT_TRUE(WaitFor([&] { return controller_->session().SampleCount() >= before + 2; }, 20000));
    // The status bar says the held rows went in, and that none was lost.
    ASSERT_TRUE(WaitFor(
        [&] { return controller_->status().Snapshot().files.contains(" znów zapisywany: "); },
        20000))
        << controller_->status().Snapshot().files.toStdString();
    EXPECT_TRUE(controller_->status().Snapshot().files.startsWith(records + "/hygrometer-"));
    EXPECT_TRUE(controller_->status().Snapshot().files.endsWith(", utraconych: 0"));
    controller_->Shutdown();

    EXPECT_EQ(modals_.boxes().size(), 1) << "said once";
    const QStringList files = QDir(records).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^hygrometer-\\d{8}-\\d{6}\\.csv$").match(files[0]).hasMatch());
    QFile file(QDir(records).filePath(files[0]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows[0] + '\n', RecordHeader());
    // The rows held while the directory was missing come first, from the first sample.
    const int firstRow = rows[1].split(',').value(1).toInt();
    EXPECT_EQ(firstRow, 1);
    EXPECT_EQ(rows[2].split(',').value(1).toInt(), firstRow + 1);
    EXPECT_EQ(controller_->session().SampleCount(), firstRow + rows.size() - 3);
}

}  // namespace
