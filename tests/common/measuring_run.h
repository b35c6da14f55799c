#pragma once
// The English headless program measuring a simulated instrument in a temporary working
// directory, with more options as a test asks (--metrics, --mqtt), and what it wrote:
// the log's lines and the dated record's rows. The instrument's port is a link in that
// directory that follows it across an unplug.

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/program_run.h"
#include "sim/instrument_simulator.h"

class MeasuringRun {
  public:
    // Starts the instrument and the program; check Started().
    explicit MeasuringRun(const std::vector<std::string>& moreArguments) {
        instrument_.SetLinkPath(PortPath());
        std::string why;
        instrumentStarted_ = instrument_.Start(&why);
        EXPECT_TRUE(instrumentStarted_) << why;
        std::vector<std::string> arguments = {"--headless", "--port", PortPath()};
        arguments.insert(arguments.end(), moreArguments.begin(), moreArguments.end());
        program_ = std::make_unique<ProgramRun>(HYGROMETER_EN_PATH, arguments, work_.path());
    }

    bool Started() const { return instrumentStarted_ && program_->Started(); }
    sim::InstrumentSimulator& Instrument() { return instrument_; }
    ProgramRun& Program() { return *program_; }
    std::string PortPath() const { return work_.filePath("instrument").toStdString(); }

    // The port of "Metrics for Prometheus: http[s]://ADDRESS:PORT/metrics" once said.
    std::optional<std::uint16_t> MetricsPort() const {
        static const QRegularExpression said(
            "Metrics for Prometheus: https?://\\S+:(\\d+)/metrics\n");
        const QRegularExpressionMatch match = said.match(QString::fromUtf8(program_->Out()));
        if (!match.hasMatch()) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(match.captured(1).toUInt());
    }

    // Lines of jrt1.txt, without their ends.
    QList<QByteArray> LogLines() const { return Lines("jrt1.txt"); }
    // The dated record's lines: the header, then a row per sample.
    QList<QByteArray> RecordLines() const {
        const QStringList files = QDir(work_.path()).entryList({"hygrometer-*.csv"}, QDir::Files);
        return files.size() == 1 ? Lines(files.front()) : QList<QByteArray>();
    }

    // Waits until the log has at least `count` lines.
    bool WaitForLines(qsizetype count, std::chrono::milliseconds timeout) const {
        return ProgramRun::WaitUntil([&] { return LogLines().size() >= count; }, timeout);
    }

  private:
    QList<QByteArray> Lines(const QString& name) const {
        QList<QByteArray> lines = ProgramRun::Read(work_.filePath(name).toStdString()).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        for (QByteArray& line : lines) {
            if (line.endsWith('\r')) {
                line.chop(1);
            }
        }
        return lines;
    }

    QTemporaryDir work_;
    sim::InstrumentSimulator instrument_;
    bool instrumentStarted_ = false;
    std::unique_ptr<ProgramRun> program_;
};
