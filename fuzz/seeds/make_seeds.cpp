// Writes the seed inputs that come from the system itself: the simulator's replies and the
// lines the program writes to its own files, laid out as each fuzz target reads its input.
//   make_seeds DIR   writes DIR/<target>/<seed>

#include <QLocale>
#include <QString>
#include <QTime>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>

#include "logger/logger_record.h"
#include "measure/log_line.h"
#include "measure/measurement_record.h"
#include "measure/readout_format.h"
#include "seeds/seed_writer.h"
#include "settings/settings_reply.h"
#include "settings/settings_tab.h"
#include "sim/instrument_state.h"

namespace {

QByteArray Word(int value) {
    return QByteArray(1, static_cast<char>(value >> 8 & 0xFF)) +
           QByteArray(1, static_cast<char>(value & 0xFF));
}

QByteArray Measurement(sim::InstrumentState& state, double seconds) {
    return AsBytes(state.Measure(seconds));
}

// A reply of `reply` (the port holding `waiting` bytes) over the buffer's earlier content.
QByteArray ReplySeed(const QByteArray& reply, const QByteArray& earlier, int waiting) {
    return Word(waiting) + reply + earlier;
}
QByteArray ReplySeed(const QByteArray& reply, const QByteArray& earlier = {}) {
    return ReplySeed(reply, earlier, static_cast<int>(reply.size()));
}

bool WriteReplySeeds(const std::string& root) {
    const SeedWriter out(root, "fuzz_replies");
    sim::InstrumentState state;
    const QByteArray settings = AsBytes(sim::DefaultSettings());
    const QByteArray version = AsBytes(sim::VersionReply(1, 2, 300));
    const QByteArray measured = Measurement(state, 0.0);
    bool ok =
        out.Write("measurement", ReplySeed(measured)) &&
        out.Write("measurement_late", ReplySeed(Measurement(state, 40000.0))) &&
        out.Write("measurement_short_over_settings", ReplySeed(measured.left(10), settings)) &&
        out.Write("settings", ReplySeed(settings)) &&
        out.Write("settings_short_over_version", ReplySeed(settings.left(20), version)) &&
        out.Write("version_over_identification",
                  ReplySeed(version, QByteArray(state.identification.c_str()))) &&
        out.Write("ack", ReplySeed("OK")) &&
        out.Write("ack_over_measurement", ReplySeed("OK", measured)) &&
        out.Write("ack_then_zero", ReplySeed(QByteArray("OK\0x", 4))) &&
        out.Write("oversized", ReplySeed(measured.repeated(19), {}, 608));
    for (const int index : {0, 15, 255}) {
        const auto record = AsBytes(sim::DefaultLoggerRecord(static_cast<std::uint8_t>(index)));
        ok = ok && out.Write("logger_" + std::to_string(index), ReplySeed(record, settings));
    }
    int n = 0;
    for (const char* id : {"01QZT!", "KRT-10", "KRT-30", "NIV-Strand", "NIV-Ion   "}) {
        ok = ok && out.Write("identification_" + std::to_string(n++), ReplySeed(id, version));
    }
    return ok;
}

QByteArray SaveSeed(const SettingsTabValues& tab, const QString& recordNumber) {
    QByteArray seed = Word(2250);
    for (const int index :
         {tab.DisplayUnit, tab.Output1Type, tab.DisplayUnitCopy1, tab.DisplayUnitCopy2,
          tab.Output2Type, tab.TemperatureUnitCopy1, tab.Alarm1Mode, tab.TemperatureUnitCopy2,
          tab.Alarm2Mode, tab.TemperatureUnit, tab.LoggerMode, tab.Buzzer, tab.RecordIntervalAl1,
          tab.RecordIntervalAl2, tab.RecordInterval}) {
        seed += static_cast<char>(index + 2);
    }
    seed += QByteArray("\x01\x02\x03\x04", 4);
    for (const QString& text :
         {tab.Alarm1High, tab.Alarm1Low, tab.Alarm2High, tab.Alarm2Low, tab.Output1Min,
          tab.Output1Max, tab.Output2Min, tab.Output2Max, tab.CleaningInterval,
          tab.ManualTemperature, tab.Pressure, recordNumber}) {
        seed += text.toUtf8() + '\n';
    }
    return seed;
}

bool WriteSaveSeeds(const std::string& root) {
    const SeedWriter out(root, "fuzz_save");
    const auto reply = sim::DefaultSettings();
    const InstrumentSettings read = DecodeSettingsReply(reply);
    bool ok = true;
    for (const char* name : {"C", "pl_PL"}) {
        const SettingsTabValues shown = SettingsToTab(read, QLocale(QString::fromLatin1(name)));
        ok = ok && out.Write(std::string("read_") + name, SaveSeed(shown, "7"));
        int n = 0;
        for (const char* text : {"22.5", "22,5", "-3276.8", "1e3", "", "0.35", " 12 ", "3276.75",
                                 "+.5", "-0", "1e", "327.675", "1,5e2", "abc", "0x10"}) {
            SettingsTabValues typed = shown;
            typed.Alarm1High = typed.ManualTemperature = typed.CleaningInterval =
                QString::fromUtf8(text);
            ok = ok && out.Write(std::string("typed_") + name + "_" + std::to_string(n++),
                                 SaveSeed(typed, QString::fromUtf8(text)));
        }
    }
    int n = 0;
    for (const char* number : {"256", "-1", "2147483648", " 12\t", "+0", "-2147483648"}) {
        const SettingsTabValues shown = SettingsToTab(read, QLocale::c());
        ok = ok && out.Write("record_number_" + std::to_string(n++), SaveSeed(shown, number));
    }
    return ok;
}

constexpr std::array<const char*, 8> kLocales = {"C",     "en_US", "pl_PL", "fi_FI",
                                                 "ko_KR", "zh_CN", "fa_IR", "bg_BG"};

bool WriteLogLineSeeds(const std::string& root) {
    const SeedWriter out(root, "fuzz_log_line");
    sim::InstrumentState state;
    bool ok = true;
    int n = 0;
    for (const char* name : kLocales) {
        const QLocale locale{QString::fromLatin1(name)};
        const QByteArray seed = Measurement(state, 3600.0 * n) + QByteArray("\x0e\x05\x09", 3) +
                                Word(n + 1) + locale.timeFormat(QLocale::LongFormat).toUtf8();
        ok = ok && out.Write(std::string("format_") + name, seed);
        ++n;
    }
    return ok && out.Write("quoted_zone", Measurement(state, 1.0) + QByteArray("\x17\x3b\x3b", 3) +
                                              Word(9999) + "'t' HH:mm:ss (t), t");
}

// A measurement log of `count` samples from `first` on, one a minute from 23:55:00, so the
// times run past midnight; as the program writes it in `locale`.
QByteArray MeasurementLog(const QLocale& locale, int first, int count) {
    sim::InstrumentState state;
    QByteArray log;
    for (int i = 0; i < count; ++i) {
        const MeasurementSample sample = DecodeMeasurement(state.Measure(60.0 * i));
        const QTime time = QTime(23, 55).addSecs(60 * i);
        log += MeasurementLogLine(first + i, LongTimeText(time, locale), sample,
                                  FormatReadouts(sample, locale));
    }
    return log;
}

QByteArray LoggerDump(int count) {
    QByteArray dump;
    for (int i = 0; i < count; ++i) {
        dump += LoggerDumpLine(
            i, DecodeLoggerRecord(sim::DefaultLoggerRecord(static_cast<std::uint8_t>(i))));
    }
    return dump;
}

bool WriteChartSeeds(const std::string& root) {
    const SeedWriter files(root, "fuzz_chart_file");
    const SeedWriter lines(root, "fuzz_chart_line");
    bool ok = files.Write("logged", LoggerDump(12)) && lines.Write("logged", LoggerDump(1));
    for (const char* name : {"C", "en_US", "pl_PL", "fi_FI"}) {
        const QLocale locale{QString::fromLatin1(name)};
        ok = ok && files.Write(std::string("jrt1_") + name, MeasurementLog(locale, 1, 12)) &&
             files.Write(std::string("jrt1_wide_") + name, MeasurementLog(locale, 9997, 6)) &&
             lines.Write(std::string("jrt1_") + name, MeasurementLog(locale, 1, 1)) &&
             lines.Write(std::string("jrt1_wide_") + name, MeasurementLog(locale, 10000, 1));
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    const bool ok = WriteReplySeeds(root) && WriteSaveSeeds(root) && WriteLogLineSeeds(root) &&
                    WriteChartSeeds(root);
    if (!ok) {
        std::fprintf(stderr, "make_seeds: could not write the seeds under %s\n", root.c_str());
        return 1;
    }
    return 0;
}
