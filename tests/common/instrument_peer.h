#pragma once
// The instrument at the far end of the port that the link tests open. On Linux it is an
// in-process simulator on a pseudo-terminal; on Windows (under Wine) it is the Linux
// simulator behind a COM port, driven over its control channel. Tests written against this
// interface run unchanged on both.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using PeerBytes = std::vector<std::uint8_t>;

class InstrumentPeer {
  public:
    virtual ~InstrumentPeer() = default;

    // The name the link opens to reach the instrument.
    virtual std::string PortName() const = 0;
    // A port name that leads to no device.
    virtual std::string MissingPortName() const = 0;

    // Off: requests are recorded but not answered, so a test can play the instrument by hand.
    virtual void SetAnswering(bool on) = 0;
    virtual void SetIdentification(const std::string& text) = 0;
    // Every measurement reply is these 32 bytes.
    virtual void SetMeasurement(const std::array<std::uint8_t, 32>& reply) = 0;
    // The instrument sends `bytes` now, unasked; returns once they are on the line.
    virtual void Send(const PeerBytes& bytes) = 0;
    // The instrument is unplugged: the port hangs up.
    virtual void HangUp() = 0;
    // Waits until at least `count` bytes the instrument sent wait unread at the link's end of
    // the line (they cross it after Send returns).
    virtual void WaitUntilUnread(std::size_t count) = 0;

    // Every byte the instrument received since the last call, once at least `count` have
    // come (or after ten seconds): a test waits for what it expects, no longer.
    PeerBytes TakeReceived(std::size_t count);

  protected:
    virtual PeerBytes ReceivedSoFar() = 0;
    virtual void ForgetReceived() = 0;
};

// This system's peer, answering as the instrument does by default. Failed commands to it
// are reported as test failures. None, with the reason in `why`, when it cannot be reached.
std::unique_ptr<InstrumentPeer> ConnectInstrumentPeer(std::string* why);
