#include "settings/pending_settings.h"

void PendingSettings::Arm(const InstrumentSettings& settings) {
    std::lock_guard<std::mutex> lock(mutex_);
    settings_ = settings;
    pending_ = true;
    ++save_;
}

void PendingSettings::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = false;
}

bool PendingSettings::IsPending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_;
}

std::optional<PendingSettings::Ticket> PendingSettings::Take() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!pending_) {
        return std::nullopt;
    }
    return Ticket{settings_, save_};
}

void PendingSettings::Finish(const Ticket& ticket) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ticket.save == save_) {
        pending_ = false;
    }
}
