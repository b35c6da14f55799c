#include "measure/file_error_text.h"

#include "files/file_error_text.h"

QString FileErrorText(int err) {
    return QString::fromStdString(files::FileErrorText(err));
}
