#pragma once
// The Save the measurement worker is to send: armed on the user-interface thread, taken and
// finished on the worker's. Thread-safe.

#include <cstdint>
#include <mutex>
#include <optional>

#include "settings/instrument_settings.h"

class PendingSettings {
  public:
    // One write's share of a Save: the whole record, and which Save it came from.
    struct Ticket {
        InstrumentSettings settings;
        std::uint64_t save = 0;
    };

    // A completed Save replaces whatever was waiting.
    void Arm(const InstrumentSettings& settings);
    // Drops a waiting Save.
    void Clear();
    bool IsPending() const;

    // A copy of the waiting Save, or nothing. It stays pending until Finish.
    std::optional<Ticket> Take() const;
    // The write of `ticket` has ended, confirmed or not. A Save armed while it ran stays
    // pending for the next write instead of being taken as sent.
    void Finish(const Ticket& ticket);

  private:
    mutable std::mutex mutex_;
    bool pending_ = false;
    InstrumentSettings settings_;
    std::uint64_t save_ = 0;
};
