#pragma once
// One request by curl, as an operator checks an HTTPS endpoint by hand: curl's exit status
// (0, or its error: 35 a failed handshake, 56 the connection closed during it, 60 a server
// certificate that is not trusted or not for the name asked, 52 no HTTP reply), the HTTP
// status and the body.

#include <unistd.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <vector>

#include "common/program_run.h"

struct CurlAnswer {
    int exit = -1;  // -1: curl did not end in time
    int status = 0;
    QByteArray body;
    QByteArray error;  // curl's message
};

inline constexpr const char* kCurl = "/usr/bin/curl";

inline bool CurlInstalled() {
    return access(kCurl, X_OK) == 0;
}

// curl with `arguments` (the URL among them), at most 10 seconds.
inline CurlAnswer Curl(const std::vector<std::string>& arguments) {
    QTemporaryDir dir;
    const std::string body = dir.filePath("body").toStdString();
    std::vector<std::string> all = {"--silent", "--show-error", "--max-time",  "10",
                                    "--output", body,           "--write-out", "%{http_code}"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProgramRun run(kCurl, all, dir.path());
    CurlAnswer answer;
    answer.exit = run.WaitExit(std::chrono::seconds(20)).value_or(-1);
    answer.status = run.Out().toInt();
    answer.body = ProgramRun::Read(body);
    answer.error = run.Err();
    return answer;
}
