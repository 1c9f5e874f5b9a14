#include "overlay/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

RegularFileOpen OpenRegularFile(const QString& path, QFile& file, QString& reason) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    reason = QString::fromStdString(std::generic_category().message(errno));
    return RegularFileOpen::kFailed;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return RegularFileOpen::kNotRegular;
  }
  return RegularFileOpen::kOpened;
}
