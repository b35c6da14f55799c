#include "common/sim_control_client.h"

std::string SimControlClient::Command(const std::string& line) {
    if (socket_ == kNoSocket || !SendAll(line + "\n")) {
        return "";
    }
    std::size_t end;
    while ((end = received_.find('\n')) == std::string::npos) {
        if (!ReceiveSome(&received_)) {
            Close();
            return "";
        }
    }
    std::string reply = received_.substr(0, end);
    received_.erase(0, end + 1);
    return reply;
}
