#pragma once
// A serial line reached through a serial device server over TCP, raw or RFC 2217, with the
// same operations as a local port (serial_port.h), which hands network names to it.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/telnet_codec.h"

class NetPort {
  public:
    NetPort() = default;
    ~NetPort();
    NetPort(const NetPort&) = delete;
    NetPort& operator=(const NetPort&) = delete;

    bool Open(const std::string& name, std::string* why, PortOpenFailure* failure = nullptr);
    void SetLineSettingsRefusedNotice(SerialPort::LineSettingsRefusedNotice notice) {
        lineSettingsRefused_ = std::move(notice);
    }
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    PortIo WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs);
    std::size_t BytesWaiting();
    std::size_t ReadAvailable(std::uint8_t* dest, std::size_t max);
    bool HasHungUp();

  private:
    // Reads what the socket holds without waiting and decodes it.
    void Pump();
    void HandleOption(const telnet::OptionEvent& event);
    bool SendAll(const std::vector<std::uint8_t>& bytes, int deadlineMs);
    bool Negotiate(const std::string& name);

    int fd_ = -1;
    bool telnet_ = false;
    bool gone_ = false;
    // Option state: what we have said and what the server has answered about COM-PORT-OPTION.
    bool willBinarySent_ = false;
    bool doBinarySent_ = false;
    bool comPortAnswered_ = false;
    bool comPortAccepted_ = false;
    bool rawNoticeGiven_ = false;
    SerialPort::LineSettingsRefusedNotice lineSettingsRefused_;
    telnet::Decoder decoder_;
    std::deque<std::uint8_t> incoming_;
    std::vector<std::uint8_t> replies_;  // option answers owed to the server
};
