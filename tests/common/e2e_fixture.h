#pragma once
// A real Form1 with its controller in a scratch working directory, wired to in-process
// simulated instruments on pseudo-terminals.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_controller.h"
#include "app/main_window.h"
#include "common/modal_closer.h"
#include "sim/instrument_simulator.h"
#include "texts/interface_language.h"

class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(workDir_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(workDir_.path());
    }
    void TearDown() override {
        controller_.reset();
        form_.reset();
        language_.reset();
        QDir::setCurrent(previousDir_);
    }

    // `linkName`: also behind a symbolic link of that name in the scratch directory, as a
    // stable device name leads to a real adapter.
    sim::InstrumentSimulator& AddInstrument(const QString& linkName = {}) {
        sims_.push_back(std::make_unique<sim::InstrumentSimulator>());
        if (!linkName.isEmpty()) {
            sims_.back()->SetLinkPath(WorkFile(linkName).toStdString());
        }
        std::string why;
        EXPECT_TRUE(sims_.back()->Start(&why)) << why;
        return *sims_.back();
    }

    // The window in the interface language of hygrometer-en when `englishUi`.
    void MakeWindow(std::vector<std::string> ports, bool englishUi = false) {
        controller_.reset();
        form_.reset();
        language_.reset();
        language_.emplace(englishUi ? InterfaceLanguage::English : InterfaceLanguage::Polish);
        form_ = std::make_unique<TForm1>();
        controller_ = std::make_unique<MainController>(
            *form_, ControllerOptions{.ports = std::move(ports),
                                      .systemPorts = [list = systemPorts_] { return list; }});
    }

    // Clicks Connect and waits until the connect has ended (measuring, or not found, or
    // failed), since the session scans and connects off the user-interface thread.
    void ClickConnect() {
        QTest::mouseClick(form_->HygrometerTab->ConnectButton, Qt::LeftButton);
        WaitUntilIdle(20000);
    }

    // Waits until the session runs no job and is not half-way through a connect.
    bool WaitUntilIdle(int timeoutMs = 20000) {
        return WaitFor(
            [&] {
                const SessionState state = controller_->session().State();
                if (state == SessionState::Stopped) {
                    return true;
                }
                return !controller_->session().Busy() && state != SessionState::Scanning &&
                       state != SessionState::Identified && state != SessionState::Connecting;
            },
            timeoutMs);
    }

    // Clicks `button` and waits for the job it starts to end.
    void ClickAndWait(QWidget* button, int timeoutMs = 90000) {
        QTest::mouseClick(button, Qt::LeftButton);
        WaitUntilIdle(timeoutMs);
    }

    // Runs the event loop until `done` holds or `timeoutMs` passes.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QTest::qWait(5);
        }
        return true;
    }

    QString WorkFile(const QString& name) const { return workDir_.filePath(name); }

    QTemporaryDir workDir_;
    QString previousDir_;
    std::vector<std::unique_ptr<sim::InstrumentSimulator>> sims_;
    // What the window is told the system's serial ports are: never the machine's own.
    std::vector<std::string> systemPorts_;
    std::optional<InterfaceTranslator> language_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<MainController> controller_;
    ModalCloser modals_;
};
