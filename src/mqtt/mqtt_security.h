#pragma once
// How the client proves who it is to the broker and checks the broker in turn: the options
// beside --mqtt. The password never comes from the command line, where every user of the
// machine reads it (ps): --mqtt-password-file gives a file whose first line it is, and the
// configuration file may set `password` itself.

#include <QString>
#include <optional>
#include <string>

#include "mqtt/mqtt_address.h"

struct MqttSecurity {
    std::string user;                     // --mqtt-user; empty: no login
    std::optional<std::string> password;  // --mqtt-password-file's first line
    std::string caFile;    // --mqtt-ca: the authorities trusted; empty: the system's store
    std::string certFile;  // --mqtt-cert and --mqtt-key: the client's own certificate
    std::string keyFile;

    friend bool operator==(const MqttSecurity&, const MqttSecurity&) = default;
};

// Puts the value of option `name` ("--mqtt-user", "--mqtt-password-file", "--mqtt-ca",
// "--mqtt-cert" or "--mqtt-key") in `security`: a file named must be readable, the password
// file and the key readable by no other user than their owner and group (texts/secret_file.h),
// and the password file is read now. False, with `error` the operator's text, when it cannot
// be used.
bool SetMqttSecurityOption(MqttSecurity& security, const QString& name, const QString& value,
                           QString& error);

// The password in the text of a password file: its first line, without the line's end; none
// when that line is empty.
std::optional<std::string> PasswordFromFile(const QByteArray& text);

// Why the security options do not go with the address given (none, or plain mqtt://), or
// with each other; empty when they do. A password crosses the network in clear text over
// plain mqtt://, so it goes there only to a broker on this machine (IsLoopbackHost).
QString MqttSecurityProblem(const std::optional<MqttAddress>& address,
                            const MqttSecurity& security);
