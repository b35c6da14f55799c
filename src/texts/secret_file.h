#pragma once
// A file that holds a secret (a password, a private key) is used only when no user but its
// owner and its group may read it, as ssh has it for keys: the group may, so that a service's
// account reads a file root owns (root:hygrometer, mode 640).

#include <QFileDevice>
#include <QString>

// Why the secret file `path`, with the rights `permissions`, is not used, naming the file
// and the fix; empty when it may be used.
QString OpenSecretFileProblem(const QString& path, QFileDevice::Permissions permissions);

// The same for the file at `path` as it is on disk (following a symbolic link); empty also
// when there is no such file, which its reader says in its own words.
QString SecretFileProblem(const QString& path);
